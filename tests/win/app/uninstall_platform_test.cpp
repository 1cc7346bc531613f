// The uninstall's batch file encoding: cmd reads batch files in the OEM code page, so the text
// goes there exactly or not at all (a best-fit stand-in would name another file).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Uninstall_win.h"

TEST(UninstallEncoding, ExactlyInTheOemCodePageOrRefused) {
  if (GetOEMCP() != 437) GTEST_SKIP() << "the table is for OEM code page 437; this system has " << GetOEMCP();
  struct Case {
    const wchar_t* text;
    const char* bytes;  // nullptr: refused
  } cases[] = {
      {L"C:\\Apps\\Qendor2.exe", "C:\\Apps\\Qendor2.exe"},
      {L"C:\\Gr\u00FC\u00DFe 100%% & ^ (x)\\q.exe", "C:\\Gr\x81\xE1" "e 100%% & ^ (x)\\q.exe"},
      {L"C:\\caf\u00E9\\q.exe", "C:\\caf\x82\\q.exe"},
      {L"C:\\\u65E5\u672C\\q.exe", nullptr},   // no form at all
      {L"C:\\\u20AC\\q.exe", nullptr},         // the euro sign: not in 437
      {L"C:\\\uFB01le\\q.exe", nullptr},       // a ligature the best fit would write as "fi"
      {L"C:\\\u0100\\q.exe", nullptr},         // A with macron: best fit would write "A"
      {L"", ""},
  };
  for (const Case& c : cases) {
    std::optional<std::string> bytes = ToOemCodePage(c.text);
    if (!c.bytes) {
      EXPECT_FALSE(bytes.has_value()) << "case " << (&c - cases);
    } else {
      ASSERT_TRUE(bytes.has_value()) << "case " << (&c - cases);
      EXPECT_EQ(*bytes, c.bytes) << "case " << (&c - cases);
    }
  }
}
