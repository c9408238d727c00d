// The surface's spelling of a text and the exact positions over its lines.
#include <gtest/gtest.h>

#include <random>

#include "base/surface_text.h"

namespace kestil::surface {
namespace {

// Lines and counts as the surface gives them: lines end at CR LF, CR or LF,
// and its UTF-16 count takes each byte of a form for one unit.
class FakeLines : public SurfaceLines {
 public:
  explicit FakeLines(std::string text) : text_(std::move(text)) {
    starts_.push_back(0);
    coarse_.push_back(0);
    std::size_t coarse = 0;
    for (std::size_t i = 0; i < text_.size();) {
      std::size_t len = 1;
      std::size_t units = 1;
      if (!IsFormAt(text_, i)) {
        len = BytesOfUnits(std::string_view(text_).substr(i), 1);
        if (len == 0) {  // a pair
          len = 4;
          units = 2;
        }
      }
      coarse += units;
      const bool cr = text_[i] == '\r';
      i += len;
      if (cr && i < text_.size() && text_[i] == '\n') {
        ++i;
        ++coarse;
      }
      if (cr || text_[i - 1] == '\n') {
        starts_.push_back(i);
        coarse_.push_back(coarse);
      }
    }
  }
  std::size_t LineOfByte(std::size_t byte) const override {
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), byte) - starts_.begin()) - 1;
  }
  std::size_t LineStart(std::size_t line) const override {
    return line < starts_.size() ? starts_[line] : text_.size();
  }
  std::size_t CoarseLineStart(std::size_t line) const override { return coarse_[line]; }
  std::size_t LineOfCoarse(std::size_t coarse) const override {
    return static_cast<std::size_t>(std::upper_bound(coarse_.begin(), coarse_.end(), coarse) - coarse_.begin()) - 1;
  }
  std::size_t Length() const override { return text_.size(); }
  std::string_view Bytes(std::size_t from, std::size_t to) const override {
    return std::string_view(text_).substr(from, to - from);
  }

 private:
  std::string text_;
  std::vector<std::size_t> starts_;
  std::vector<std::size_t> coarse_;
};

std::u16string RandomText(std::mt19937& rng, std::size_t length) {
  static const char16_t kPieces[] = {u'a', u'<', u'\r', u'\n', u'é', u'表', 0xD842, 0xDFB7,
                                     0xDC00, 0xDC82, 0xDCFF, 0xD88C, 0xFFFE, u'\t'};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::u16string s;
  for (std::size_t i = 0; i < length; ++i) {
    const char16_t c = kPieces[pick(rng)];
    s.push_back(c);
    if (c == 0xD842 && rng() % 2) s.push_back(0xDFB7);  // often a whole pair
  }
  return s;
}

TEST(SurfaceText, EveryTextComesBackAndFormsAreOnlyLoneSurrogates) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    const std::u16string text = RandomText(rng, round % 40);
    const std::string bytes = Encode(text);
    ASSERT_EQ(Decode(bytes), text);
    EXPECT_EQ(UnitsOf(bytes), text.size());
    SurrogateForms forms;
    forms.Reset(bytes);
    std::size_t lone = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
      const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
      } else if (high || low) {
        ++lone;
      }
    }
    EXPECT_EQ(forms.starts().size(), lone);
  }
  // The reserved unit of byte 82 and a byte written past Encode.
  EXPECT_EQ(Encode(u"\xDC82"), "\xED\xB2\x82");
  EXPECT_EQ(Decode("a\x82"), u"a\xDC82");
}

// Every unit position maps to its byte and back; one between the halves of
// a pair, or past the end, goes where the edit control puts it.
TEST(SurfaceText, PositionsAreExactAroundFormsPairsAndLineEnds) {
  std::mt19937 rng(11);
  for (int round = 0; round < 200; ++round) {
    const std::u16string text = RandomText(rng, 1 + round % 50);
    const std::string bytes = Encode(text);
    const FakeLines lines(bytes);
    SurrogateForms forms;
    forms.Reset(bytes);
    for (std::size_t u = 0; u <= text.size() + 2; ++u) {
      std::size_t expected = std::min(u, text.size());
      if (expected > 0 && expected < text.size() && text[expected] >= 0xDC00 && text[expected] <= 0xDFFF &&
          text[expected - 1] >= 0xD800 && text[expected - 1] <= 0xDBFF) {
        --expected;  // inside a pair
      }
      const std::size_t byte = ByteOfUnit(lines, forms, u);
      ASSERT_EQ(byte, Encode(text.substr(0, expected)).size()) << "unit " << u << " round " << round;
      ASSERT_EQ(UnitOfByte(lines, forms, byte), expected);
    }
  }
}

}  // namespace
}  // namespace kestil::surface
