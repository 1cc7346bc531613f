// The user's Run key (HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run): the
// program's own autorun value, and deleting another program's value.
#pragma once
#include <string>

#include "app/GeneralSettings.h"

// Deletes a value of the Run key (a missing one is fine).
void DeleteRunValue(const wchar_t* name);

// The program's value in the Run key, named after the executable.
class CRunKeyEntry : public app::AutoRunEntry {
 public:
  CRunKeyEntry();
  bool Present() override;
  void Set(bool enable) override;

 private:
  std::wstring name_;
};
