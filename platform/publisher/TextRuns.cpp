#include "publisher/TextRuns.h"

#include "common/Utf8.h"
#include "host/Properties.h"
#include "publisher/TextLayout.h"

namespace platform {
namespace {
const double kNoBounds[4] = {0.0, 0.0, 0.0, 0.0};
}  // namespace

TextRunObject::TextRunObject(const std::wstring& name, const double bounds[4], ScreenNode* textNode)
    : name_(name), sheet_(boost::make_shared<PropertySheet>()), textNode_(textNode) {
  SetBounds(bounds);
}

void TextRunObject::SetBounds(const double bounds[4]) {
  for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
}

bool TextRunObject::AnswerSheet(boost::shared_ptr<IInterface>* out, bool* sharesOwner) {
  return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
}

boost::shared_ptr<PropertySheet> CharPropsSheet(const CharProps& props) {
  auto sheet = boost::make_shared<PropertySheet>();
  sheet->Set<double>(ePropFontSize, props.size);
  sheet->Set<bool>(ePropBold, props.bold);
  sheet->Set<bool>(ePropItalic, props.italic);
  sheet->Set<int>(ePropUnderline, props.underline);
  sheet->Set<std::wstring>(ePropCharString96, FromUtf8(props.font));
  return sheet;
}

FormattingRun::FormattingRun(const std::wstring& name, const CharProps& props,
                             ScreenNode* paragraph, size_t firstLetter, size_t letterCount)
    : TextRunObject(name, kNoBounds, paragraph),
      authored_(props),
      firstLetter_(firstLetter),
      letterCount_(letterCount),
      authoredSheet_(CharPropsSheet(props)),
      current_(boost::make_shared<TrackedSheet>()) {
  Sheet()->SetSheet(ePropRunAuthoredCharProps, authoredSheet_);
  Sheet()->SetSheet(ePropRunCharProps, current_);
  Sheet()->Set<int>(ePropRunKind, 0);
  Sheet()->GetProperty(currentValue_, ePropRunCharProps);
  current_->ClearDirty();
  ResetFrame();
}

bool FormattingRun::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                   EInterfaceId id) {
  if (id == eIidPropertySheet) return AnswerSheet(out, sharesOwner);
  if (id == eIidRunItem || id == eIidTextRun)
    return AnswerInterface<IScreenObject>(this, out, sharesOwner);
  return false;
}

CharProps FormattingRun::Current() const {
  CharProps props = authored_;
  boost::shared_ptr<IPropertyValue> value;
  Sheet()->GetProperty(value, ePropRunCharProps);
  auto sheet = property_cast<boost::shared_ptr<IPropertySheet>>(value);
  if (!sheet) return props;
  auto read = [&](EPropertyId key) {
    boost::shared_ptr<IPropertyValue> v;
    sheet->GetProperty(v, key);
    return v;
  };
  if (auto v = read(ePropFontSize)) props.size = property_cast<double>(v);
  if (auto v = read(ePropBold)) props.bold = property_cast<bool>(v);
  if (auto v = read(ePropItalic)) props.italic = property_cast<bool>(v);
  if (auto v = read(ePropUnderline)) props.underline = property_cast<int>(v);
  if (auto v = read(ePropCharString96)) {
    std::wstring font = property_cast<std::wstring>(v);
    if (!font.empty()) props.font = ToUtf8(font);
  }
  return props;
}

bool FormattingRun::Changed() const {
  boost::shared_ptr<IPropertyValue> value;
  Sheet()->GetProperty(value, ePropRunCharProps);
  if (value == currentValue_ && !current_->Dirty()) return false;
  return !SameCharProps(Current(), authored_);
}

void FormattingRun::ResetFrame() {
  boost::shared_ptr<IPropertyValue> value;
  Sheet()->GetProperty(value, ePropRunCharProps);
  if (value != currentValue_) Sheet()->SetProperty(ePropRunCharProps, currentValue_);
  if (!current_->Dirty() && current_->Contains(ePropFontSize)) return;
  current_->Clear();
  for (EPropertyId key : authoredSheet_->Keys()) {
    boost::shared_ptr<IPropertyValue> v;
    authoredSheet_->GetProperty(v, key);
    current_->SetProperty(key, v);
  }
  current_->ClearDirty();
}

ParagraphRunView::ParagraphRunView(const std::wstring& name, const double bounds[4],
                                   ScreenNode* paragraph,
                                   const std::vector<boost::shared_ptr<FormattingRun>>& runs,
                                   const std::vector<boost::shared_ptr<FormattingRun>>& units)
    : TextRunObject(name, bounds, paragraph),
      runs_(runs),
      units_(units),
      items_(&runs_),
      unitItems_(&units_) {}

bool ParagraphRunView::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                      EInterfaceId id) {
  switch (id) {
    case eIidPropertySheet:
      return AnswerSheet(out, sharesOwner);
    case eIidTextRun:
      return AnswerInterface<IScreenObject>(this, out, sharesOwner);
    case eIidRunGroup:
      return AnswerInterface<IItemList>(&items_, out, sharesOwner);
    case eIidParagraphList:
      return AnswerInterface<IItemList>(&unitItems_, out, sharesOwner);
    default:
      return false;
  }
}

RunText::RunText(const std::wstring& name, const double bounds[4], ScreenNode* textBody)
    : TextRunObject(name, bounds, textBody), items_(&paragraphs_) {}

bool RunText::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                             EInterfaceId id) {
  switch (id) {
    case eIidPropertySheet:
      return AnswerSheet(out, sharesOwner);
    case eIidTextRun:
      return AnswerInterface<IScreenObject>(this, out, sharesOwner);
    case eIidTextBody19:
    case eIidParagraphList:
      return AnswerInterface<IItemList>(&items_, out, sharesOwner);
    default:
      return false;
  }
}

void RunText::AddParagraph(const boost::shared_ptr<ParagraphRunView>& paragraph) {
  paragraphs_.push_back(paragraph);
}

RunView::RunView(const std::wstring& name, const double bounds[4], ScreenNode* textBody,
                 const boost::shared_ptr<RunText>& text)
    : TextRunObject(name, bounds, textBody), children_{text}, childList_(&children_) {}

bool RunView::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                             EInterfaceId id) {
  switch (id) {
    case eIidPropertySheet:
      return AnswerSheet(out, sharesOwner);
    case eIidTextRun:
      return AnswerInterface<IScreenObject>(this, out, sharesOwner);
    case eIidChildList:
      return AnswerInterface<IChildList>(&childList_, out, sharesOwner);
    default:
      return false;
  }
}

bool WalksCharactersByLetter(const EffectList* effects, const std::wstring& id) {
  if (!effects) return false;
  auto character = [](const boost::shared_ptr<IBehaviourNode>& b) {
    if (!b || (b->GetKind() != eBehaviourSet && b->GetKind() != eBehaviourProperty)) return false;
    const int attribute = GetInt(b, ePropAttribute);
    return attribute >= 10 && attribute <= 14;  // italic, bold, underline, font name, size
  };
  for (const auto& effect : effects->Effects()) {
    if (effect->TargetId() != id || GetInt(effect, ePropIterateType) != 2) continue;
    for (uint32_t i = 0; i < effect->GetMainBehaviourCount(); ++i)
      if (character(effect->GetMainBehaviour(i))) return true;
    for (uint32_t i = 0; i < effect->GetSubAnimationCount(); ++i)
      if (character(effect->GetSubAnimation(i))) return true;
  }
  return false;
}

std::vector<size_t> RunStarts(const ParagraphUnits& units, const Word& word, bool byLetter) {
  std::vector<size_t> starts;
  const size_t end = word.firstLetter + word.letterCount;
  for (size_t i = word.firstLetter; i < end; ++i)
    if (i == word.firstLetter || units.letters[i].run != units.letters[i - 1].run ||
        (byLetter && !units.letters[i].blank))
      starts.push_back(i);
  return starts;
}

}  // namespace platform
