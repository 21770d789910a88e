// Formatting runs and the text-run view of a shape.
//
// A formatting run (4, 21) holds the character properties of a stretch of one
// paragraph: key 75 is the sheet agents write, 76 the authored one, 146 the
// run kind, 147 its text. Runs are split at word boundaries so that a word
// never shares a run with its neighbours; in a shape that a character effect
// walks letter by letter, every letter that takes a step starts a run of its
// own (the blanks after it ride along), so that each letter changes at its own
// time. The same run objects are listed by the paragraph node (20) and by the
// paragraph's run view, so there is one set of character properties per run.
//
// The text-run view ("<id>/runs", 4 and 8) walks like a shape: its one child,
// the run text ("<id>/runs/text", 4, 19, 63), lists the paragraph run views
// ("<id>/runs/p<k>", 4, 20 and 63), whose items are the paragraph's runs.
// An iteration walks the 63 list: a run answers 4, so by word each run is
// reached with its word and by letter each run is one letter. Runs made only
// of blanks other than spaces and tabs (a line break, a no-break space) take
// no step, so they are left out of the 63 list of letter-split paragraphs and
// reached only through the 20 list. A paragraph run view also carries its
// word count (35) and, as key 61, one sheet per word whose key 60 tells how
// many of the 63 items the word covers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "document/Slide.h"
#include "document/TextModel.h"
#include "host/Screen.h"
#include "publisher/ItemListView.h"

namespace platform {

class ScreenNode;

// A sheet that notes when it is written through the host interface.
class TrackedSheet : public PropertySheet {
 public:
  void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) override {
    dirty_ = true;
    PropertySheet::SetProperty(key, value);
  }
  bool Dirty() const { return dirty_; }
  void ClearDirty() { dirty_ = false; }

 private:
  bool dirty_ = false;
};

// Common part of the run objects: name, bounds, sheet, and the drawable text
// node whose letters the object stands for.
class TextRunObject : public IScreenObject {
 public:
  TextRunObject(const std::wstring& name, const double bounds[4], ScreenNode* textNode);

  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }

  const std::wstring& Name() const { return name_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }
  ScreenNode* TextNode() const { return textNode_; }
  void SetBounds(const double bounds[4]);

 protected:
  bool AnswerSheet(boost::shared_ptr<IInterface>* out, bool* sharesOwner);

 private:
  std::wstring name_;
  double bounds_[4];
  boost::shared_ptr<PropertySheet> sheet_;
  ScreenNode* textNode_;
};

class FormattingRun : public TextRunObject {
 public:
  // Letters [firstLetter, firstLetter + letterCount) of paragraph node `paragraph`.
  FormattingRun(const std::wstring& name, const CharProps& props, ScreenNode* paragraph,
                size_t firstLetter, size_t letterCount);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;

  const CharProps& Authored() const { return authored_; }
  // The authored properties with what the current sheet (75) says on top.
  CharProps Current() const;
  // True when the current sheet was written and now differs from the authored.
  bool Changed() const;
  size_t FirstLetter() const { return firstLetter_; }
  size_t LetterCount() const { return letterCount_; }
  // Restores the current sheet from the authored one.
  void ResetFrame();

 private:
  CharProps authored_;
  size_t firstLetter_;
  size_t letterCount_;
  boost::shared_ptr<PropertySheet> authoredSheet_;
  boost::shared_ptr<TrackedSheet> current_;
  boost::shared_ptr<IPropertyValue> currentValue_;
};

class ParagraphRunView : public TextRunObject {
 public:
  // `units` are the runs that iterations walk (63), `runs` all of them (20).
  ParagraphRunView(const std::wstring& name, const double bounds[4], ScreenNode* paragraph,
                   const std::vector<boost::shared_ptr<FormattingRun>>& runs,
                   const std::vector<boost::shared_ptr<FormattingRun>>& units);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  const std::vector<boost::shared_ptr<FormattingRun>>& Runs() const { return runs_; }
  const std::vector<boost::shared_ptr<FormattingRun>>& Units() const { return units_; }

 private:
  std::vector<boost::shared_ptr<FormattingRun>> runs_;
  std::vector<boost::shared_ptr<FormattingRun>> units_;
  ItemListView<FormattingRun> items_;
  ItemListView<FormattingRun> unitItems_;
};

class RunText : public TextRunObject {
 public:
  RunText(const std::wstring& name, const double bounds[4], ScreenNode* textBody);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void AddParagraph(const boost::shared_ptr<ParagraphRunView>& paragraph);
  const std::vector<boost::shared_ptr<ParagraphRunView>>& Paragraphs() const { return paragraphs_; }

 private:
  std::vector<boost::shared_ptr<ParagraphRunView>> paragraphs_;
  ItemListView<ParagraphRunView> items_;
};

class RunView : public TextRunObject {
 public:
  RunView(const std::wstring& name, const double bounds[4], ScreenNode* textBody,
          const boost::shared_ptr<RunText>& text);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  const boost::shared_ptr<RunText>& Text() const { return children_.front(); }

 private:
  std::vector<boost::shared_ptr<RunText>> children_;
  ChildListView<RunText> childList_;
};

// Character properties as the sheets hold them (keys 79, 81, 82, 85, 96).
boost::shared_ptr<PropertySheet> CharPropsSheet(const CharProps& props);

// True when an effect of `effects` walks shape `id` letter by letter with a
// behaviour that sets or animates a character attribute (italic, bold,
// underline, font name, font size): that shape's runs are split at letters.
bool WalksCharactersByLetter(const EffectList* effects, const std::wstring& id);

// Where the runs of one word start, as letter indices of the paragraph:
// where the word starts, where the authored run changes and, with `byLetter`,
// at every letter that is not blank.
std::vector<size_t> RunStarts(const ParagraphUnits& units, const Word& word, bool byLetter);

}  // namespace platform
