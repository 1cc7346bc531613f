// IAudioMeterInformation, the peak meter of an audio stream or session. mingw-w64's
// endpointvolume.h names the interface but does not declare it, so it is declared here, in
// Microsoft's vtable order, with its IID for __uuidof. A header that declares it fully
// defines its interface guard, and then this declaration steps aside.
#pragma once
// clang-format off
#include <windows.h>
#include <endpointvolume.h>
// clang-format on

#ifndef __IAudioMeterInformation_INTERFACE_DEFINED__
#define __IAudioMeterInformation_INTERFACE_DEFINED__

// clang-format off
MIDL_INTERFACE("C02216F6-8C67-4B5B-9D00-D008E73E0064")
IAudioMeterInformation : public IUnknown {
 public:
  virtual HRESULT STDMETHODCALLTYPE GetPeakValue(float* peak) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMeteringChannelCount(UINT* channelCount) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChannelsPeakValues(UINT32 channelCount, float* peakValues) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* hardwareSupportMask) = 0;
};
__CRT_UUID_DECL(IAudioMeterInformation, 0xc02216f6, 0x8c67, 0x4b5b, 0x9d, 0x00, 0xd0, 0x08, 0xe7, 0x3e, 0x00, 0x64)
// clang-format on

#endif
