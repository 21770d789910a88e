#include "document/TextModel.h"

namespace platform {

std::wstring Paragraph::Text() const {
  std::wstring text;
  for (const TextRun& run : runs) text += run.text;
  return text;
}

bool TextBody::Empty() const {
  for (const Paragraph& p : paragraphs)
    for (const TextRun& r : p.runs)
      for (wchar_t c : r.text)
        if (!IsBlank(c) && c != L'\n' && c != L'\r') return false;
  return true;
}

std::wstring TextBody::Text() const {
  std::wstring text;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i) text += L'\n';
    text += paragraphs[i].Text();
  }
  return text;
}

ParagraphUnits SplitUnits(const Paragraph& paragraph) {
  ParagraphUnits units;
  size_t offset = 0;
  for (size_t r = 0; r < paragraph.runs.size(); ++r) {
    for (wchar_t c : paragraph.runs[r].text) {
      Letter letter;
      letter.offset = offset++;
      letter.run = r;
      letter.ch = c;
      letter.blank = IsBlank(c);
      if (!letter.blank) ++units.steppedLetters;
      units.letters.push_back(letter);
    }
  }
  // A word starts at a non-blank letter that follows a blank (or the start);
  // leading blanks belong to the first word.
  bool wordHasLetter = false;
  for (size_t i = 0; i < units.letters.size(); ++i) {
    bool blank = units.letters[i].blank;
    bool startsWord = !blank && wordHasLetter && units.letters[i - 1].blank;
    if (units.words.empty() || startsWord) {
      Word w;
      w.firstLetter = i;
      units.words.push_back(w);
      wordHasLetter = false;
    }
    if (!blank) wordHasLetter = true;
    ++units.words.back().letterCount;
  }
  return units;
}

}  // namespace platform
