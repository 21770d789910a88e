// The text nodes of a shape: its text body, paragraphs, words and letters.
// A paragraph also lists its formatting runs (20); a letter knows its run.
#pragma once

#include <cstddef>
#include <vector>

#include "publisher/ScreenNode.h"
#include "publisher/TextRuns.h"

namespace platform {

class ShapeNode;

class TextNode : public ScreenNode {
 public:
  // `paragraph` is the paragraph index; letters are counted within it.
  TextNode(Role role, const std::wstring& name, const double bounds[4], ShapeNode* shape,
           size_t paragraph, size_t firstLetter, size_t letterCount);

  ShapeNode* Shape() const { return shape_; }
  size_t ParagraphIndex() const { return paragraph_; }
  size_t FirstLetter() const { return firstLetter_; }
  size_t LetterCount() const { return letterCount_; }

  // Paragraphs: the formatting runs.
  void SetRuns(const std::vector<boost::shared_ptr<FormattingRun>>& runs) { runs_ = runs; }
  const std::vector<boost::shared_ptr<FormattingRun>>& Runs() const { return runs_; }

  // Letters: the character and the run that carries its properties.
  void SetLetter(wchar_t ch, const boost::shared_ptr<FormattingRun>& run) {
    ch_ = ch;
    run_ = run;
  }
  wchar_t Char() const { return ch_; }
  const boost::shared_ptr<FormattingRun>& Run() const { return run_; }

 protected:
  bool QueryExtra(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) override;

 private:
  ShapeNode* shape_;
  size_t paragraph_;
  size_t firstLetter_;
  size_t letterCount_;
  std::vector<boost::shared_ptr<FormattingRun>> runs_;
  ItemListView<FormattingRun> runItems_;
  wchar_t ch_ = 0;
  boost::shared_ptr<FormattingRun> run_;
};

}  // namespace platform
