#include "publisher/ShapeNode.h"

#include <algorithm>
#include <map>

namespace platform {
namespace {

struct Box {
  double v[4] = {0, 0, 0, 0};
  bool any = false;

  void Add(double l, double t, double r, double b) {
    if (!any) {
      v[0] = l, v[1] = t, v[2] = r, v[3] = b;
      any = true;
      return;
    }
    v[0] = std::min(v[0], l);
    v[1] = std::min(v[1], t);
    v[2] = std::max(v[2], r);
    v[3] = std::max(v[3], b);
  }
};

std::vector<double> BoundsOf(const Shape& shape) {
  return {shape.X(), shape.Y(), shape.X() + shape.Width(), shape.Y() + shape.Height()};
}

void LetterBox(const ParagraphPlace& pp, size_t letter, Box& box) {
  const LetterPlace& lp = pp.letters[letter];
  const LinePlace& line = pp.lines[lp.line];
  box.Add(lp.x, line.top, lp.x + lp.advance, line.bottom);
}

void CopyKey(const PropertySheet& from, PropertySheet& to, EPropertyId key) {
  boost::shared_ptr<IPropertyValue> value;
  const_cast<PropertySheet&>(from).GetProperty(value, key);
  if (value) to.SetProperty(key, value);
}

}  // namespace

bool DrawsSomething(const Shape& shape) {
  return shape.Fill().type != eFillNone || shape.Line().present || !shape.picture.bytes.empty() ||
         shape.Kind() == ShapeKind::Picture;
}

ShapeNode::ShapeNode(const boost::shared_ptr<Shape>& shape, ITextMeasurer& measurer,
                     bool letterRuns)
    : ScreenNode(shape->Kind() == ShapeKind::Group ? Role::Group : Role::Shape, shape->Id(),
                 BoundsOf(*shape).data()),
      shape_(shape),
      memberItems_(&Parts()) {
  for (EPropertyId key : {ePropFillSheet, ePropLineSheet, ePropPlaceholderType})
    CopyKey(*shape->Sheet(), *Sheet(), key);
  if (IsGroup()) return;

  const std::wstring& id = shape->Id();
  geometry_ = boost::make_shared<ScreenNode>(Role::Geometry, id + L"/shape", Bounds());
  fill_ = boost::make_shared<ScreenNode>(Role::Fill, id + L"/shape/fill", Bounds());
  geometry_->AddPart(fill_);
  const bool draws = DrawsSomething(*shape);
  geometry_->SetShapeFlag(draws);
  SetShapeFlag(draws);
  AddPart(geometry_);
  if (shape->HasTextBody()) BuildText(measurer, letterRuns);
  if (shape->Media() != MediaKind::None) {
    media_ = boost::make_shared<MediaScreenObject>(id + L"/media", Bounds());
    if (shape->Media() == MediaKind::Video)
      player_ = boost::make_shared<VideoPlayerObject>(id + L"/player", Bounds());
  }
}

bool ShapeNode::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                               EInterfaceId id) {
  return ScreenNode::QueryInterface(out, sharesOwner, id);
}

bool ShapeNode::QueryExtra(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) {
  if (id == eIidDocumentShape39 || id == eIidShape49)
    return AnswerInterface<IDocumentShapeLink>(this, out, sharesOwner);
  if (id == eIidGroupShape && IsGroup())
    return AnswerInterface<IItemList>(&memberItems_, out, sharesOwner);
  return false;
}

boost::shared_ptr<IInterface> ShapeNode::GetDocumentShape() {
  return shape_;
}

boost::shared_ptr<IInterface> ShapeNode::GetRelatedShape() {
  ScreenNode* node = ParentGroup();
  if (!node) node = this;
  const boost::shared_ptr<IScreenObject> owner = node->shared_from_this();
  return owner;
}

void ShapeNode::AddMember(const boost::shared_ptr<ShapeNode>& member) {
  AddPart(member);
}

ShapeNode* ShapeNode::ParentGroup() const {
  return dynamic_cast<ShapeNode*>(Parent());
}

void ShapeNode::BuildText(ITextMeasurer& measurer, bool letterRuns) {
  FitText(shape_->MutableText(), Bounds(), measurer);
  const platform::TextBody& body = shape_->Text();
  const std::wstring& id = shape_->Id();
  place_ = LayoutText(body, Bounds(), measurer);
  textBody_ = boost::make_shared<TextNode>(Role::TextBody, id + L"/text", Bounds(), this, 0, 0, 0);
  auto runText = boost::make_shared<RunText>(id + L"/runs/text", Bounds(), textBody_.get());
  runView_ = boost::make_shared<RunView>(id + L"/runs", Bounds(), textBody_.get(), runText);

  int totalWords = 0, totalLetters = 0;
  for (size_t k = 0; k < body.paragraphs.size(); ++k) {
    const Paragraph& para = body.paragraphs[k];
    const ParagraphUnits units = SplitUnits(para);
    const ParagraphPlace& pp = place_.paragraphs[k];
    const std::wstring pname = id + L"/p" + std::to_wstring(k);
    auto pnode = boost::make_shared<TextNode>(Role::Paragraph, pname, pp.bounds, this, k, 0,
                                              units.letters.size());
    const int letterCount = static_cast<int>(units.steppedLetters);
    const int wordCount = static_cast<int>(units.words.size());
    PropertySheet& sheet = *pnode->Sheet();
    sheet.Set<int>(ePropParagraphIndex, static_cast<int>(k));
    sheet.Set<int>(ePropLetterCount, letterCount);
    sheet.Set<int>(ePropWordCount, wordCount);
    sheet.Set<std::wstring>(ePropText, para.Text());
    totalWords += wordCount;
    totalLetters += letterCount;

    std::vector<boost::shared_ptr<FormattingRun>> pruns, punits;
    std::vector<boost::shared_ptr<FormattingRun>> runOfLetter(units.letters.size());
    auto runList = boost::make_shared<PropertySheetList>();
    letters_.emplace_back(units.letters.size(), nullptr);
    for (size_t j = 0; j < units.words.size(); ++j) {
      const Word& word = units.words[j];
      const size_t end = word.firstLetter + word.letterCount;
      int runsInWord = 0;
      const std::vector<size_t> starts = RunStarts(units, word, letterRuns);
      for (size_t s = 0; s < starts.size(); ++s) {
        const size_t i = starts[s], e = s + 1 < starts.size() ? starts[s + 1] : end;
        const size_t r = units.letters[i].run;
        auto run = boost::make_shared<FormattingRun>(pname + L"/r" + std::to_wstring(pruns.size()),
                                                     para.runs[r].props, pnode.get(), i, e - i);
        Box box;
        std::wstring text;
        for (size_t m = i; m < e; ++m) {
          LetterBox(pp, m, box);
          runOfLetter[m] = run;
          text += units.letters[m].ch;
        }
        run->SetBounds(box.v);
        run->Sheet()->Set<std::wstring>(ePropText, text);
        pruns.push_back(run);
        // A run of blanks that are no spaces or tabs takes no step by letter.
        if (letterRuns && units.letters[i].blank && text[0] != L' ' && text[0] != L'\t') continue;
        punits.push_back(run);
        ++runsInWord;
      }
      auto wordRuns = boost::make_shared<PropertySheet>();
      wordRuns->Set<int>(ePropRunLength, runsInWord);
      runList->Add(wordRuns);

      Box ink, all;
      std::wstring text;
      int stepped = 0;
      for (size_t i = word.firstLetter; i < end; ++i) {
        const Letter& l = units.letters[i];
        text += l.ch;
        LetterBox(pp, i, all);
        if (!l.blank && !IsLineBreak(l.ch)) {
          LetterBox(pp, i, ink);
          ++stepped;
        }
      }
      const std::wstring wname = pname + L"/w" + std::to_wstring(j);
      auto wnode = boost::make_shared<TextNode>(Role::Word, wname, ink.any ? ink.v : all.v, this, k,
                                                word.firstLetter, word.letterCount);
      wnode->Sheet()->Set<std::wstring>(ePropText, text);
      wnode->Sheet()->Set<int>(ePropLetterCount, stepped);
      wnode->Sheet()->Set<int>(ePropWordCount, 1);
      wnode->Sheet()->Set<int>(ePropParagraphIndex, static_cast<int>(k));
      for (size_t i = word.firstLetter; i < end; ++i) {
        const Letter& l = units.letters[i];
        Box box;
        LetterBox(pp, i, box);
        auto lnode = boost::make_shared<TextNode>(
            Role::Letter, wname + L"/l" + std::to_wstring(i - word.firstLetter), box.v, this, k, i,
            1);
        lnode->Sheet()->Set<std::wstring>(ePropText, std::wstring(1, l.ch));
        lnode->Sheet()->Set<bool>(ePropNoTimeStep, l.blank);
        lnode->SetLetter(l.ch, runOfLetter[i]);
        letters_[k][i] = lnode.get();
        wnode->AddPart(lnode);
      }
      pnode->AddPart(wnode);
    }
    pnode->SetRuns(pruns);

    auto view = boost::make_shared<ParagraphRunView>(id + L"/runs/p" + std::to_wstring(k),
                                                     pp.bounds, pnode.get(), pruns, punits);
    view->Sheet()->Set<int>(ePropParagraphIndex, static_cast<int>(k));
    view->Sheet()->Set<int>(ePropLetterCount, letterCount);
    view->Sheet()->Set<int>(ePropWordCount, wordCount);
    view->Sheet()->SetList(ePropRunList, runList);
    view->Sheet()->Set<std::wstring>(ePropText, para.Text());
    runText->AddParagraph(view);
    textBody_->AddPart(pnode);
    runs_.insert(runs_.end(), pruns.begin(), pruns.end());
  }
  textBody_->Sheet()->Set<int>(ePropWordCount, totalWords);
  textBody_->Sheet()->Set<int>(ePropLetterCount, totalLetters);
  textBody_->Sheet()->Set<std::wstring>(ePropText, body.Text());
  AddPart(textBody_);
}

bool ShapeNode::TextPropsChanged() const {
  for (const auto& run : runs_)
    if (run->Changed()) return true;
  return false;
}

TextPlace ShapeNode::CurrentPlace(ITextMeasurer& measurer) const {
  std::map<const FormattingRun*, CharProps> current;
  for (const auto& run : runs_)
    if (run->Changed()) current[run.get()] = run->Current();
  LetterPropsFn props = [&](size_t k, size_t i) -> const CharProps* {
    if (k >= letters_.size() || i >= letters_[k].size()) return nullptr;
    auto it = current.find(letters_[k][i]->Run().get());
    return it == current.end() ? nullptr : &it->second;
  };
  return LayoutText(shape_->Text(), Bounds(), measurer, props);
}

}  // namespace platform
