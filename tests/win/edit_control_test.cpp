// The edit operations on the real edit control.
#include <gtest/gtest.h>

#include "base/codec.h"
#include "contract/edit_contract.h"
#include "corpus.h"
#include "win/win_test_util.h"

namespace kestil::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Control, EditContract,
                         ::testing::Values(EditBackend{"edit_control",
                                                       [] { return MakeEditControl(); }}),
                         [](const auto& info) { return info.param.name; });

std::u16string ControlText(HWND edit) {
  const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit));
  std::u16string text(length + 1, u'\0');
  GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(length + 1));
  text.resize(length);
  return text;
}

TEST(EditControl, CorpusSurvivesTheControlByteForByte) {
  auto edit = MakeEditControl();
  for (const auto& entry : RoundTripCorpus()) {
    edit->LoadRaw(entry.bytes);
    cp932::Spellings memo;
    // What the control holds is the decoded text, unit for unit.
    EXPECT_EQ(ControlText(edit->hwnd()), cp932::Decode(entry.bytes, memo)) << entry.name;
    EXPECT_EQ(edit->StoreRaw(), entry.bytes) << entry.name;
    edit->SetSel(0, entry.bytes.size());
    EXPECT_EQ(edit->GetSelectedText(), entry.bytes) << entry.name;
  }
}

TEST(EditControl, WholeCorpusAsOneDocument) {
  std::string all;
  for (const auto& entry : RoundTripCorpus()) all += entry.bytes;
  auto edit = MakeEditControl();
  edit->LoadRaw(all);
  EXPECT_EQ(edit->StoreRaw(), all);
}

TEST(EditControl, HoldsTextsBeyondTheDefaultLimit) {
  std::string big;
  while (big.size() < 200000) big += "<p>\x93\xFA\x96\x7B\x8C\xEA</p>\r\n";
  auto edit = MakeEditControl();
  edit->LoadRaw(big);
  EXPECT_EQ(edit->StoreRaw(), big);
  edit->SetSel(big.size(), big.size());
  edit->ReplaceSel("end");
  EXPECT_EQ(edit->GetSel().start, big.size() + 3);
}

TEST(EditControl, TypedCharactersTakeTheDocumentsSpelling) {
  auto edit = MakeEditControl();
  edit->LoadRaw("\x87\x90");  // NEC row 13 spelling of U+2252
  edit->SetSel(2, 2);
  SendMessageW(edit->hwnd(), WM_CHAR, 0x2252, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 'a', 1);
  EXPECT_EQ(edit->StoreRaw(), "\x87\x90\x87\x90" "a");
  EXPECT_EQ(edit->GetSel().start, 5u);
  // A new document forgets the old one's spellings.
  edit->LoadRaw("x");
  edit->SetSel(1, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 0x2252, 1);
  EXPECT_EQ(edit->StoreRaw(), "x\x81\xE0");
}

TEST(EditControl, PositionsAfterReservedUnitsAndKana) {
  auto edit = MakeEditControl();
  const std::string text = std::string("\0\x85\x40\xB1", 4) + "\x82\xA0z";
  edit->LoadRaw(text);
  edit->SetSel(6, 7);
  EXPECT_EQ(edit->GetSelectedText(), "z");
  EXPECT_EQ(edit->LineLength(0), 7u);
}

}  // namespace
}  // namespace kestil::testing
