#include "document/Shape.h"

#include <boost/make_shared.hpp>

#include "host/Screen.h"

namespace platform {
namespace {

// The text body as the document presents it to the animation library: a child
// that answers 17 and 19 and lists paragraphs with their word and letter counts.
class DocParagraph : public IScreenObject {
 public:
  DocParagraph(const std::wstring& name, const double* bounds, const Paragraph& paragraph,
               int index)
      : name_(name), sheet_(boost::make_shared<PropertySheet>()) {
    for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
    ParagraphUnits units = SplitUnits(paragraph);
    sheet_->Set<int>(ePropWordCount, static_cast<int>(units.words.size()));
    sheet_->Set<int>(ePropLetterCount, static_cast<int>(units.steppedLetters));
    sheet_->Set<int>(ePropParagraphIndex, index);
  }
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    if (id == eIidPropertySheet)
      return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
    return false;
  }
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }

 private:
  std::wstring name_;
  double bounds_[4];
  boost::shared_ptr<PropertySheet> sheet_;
};

class DocTextBody : public IScreenObject, public IItemList {
 public:
  DocTextBody(const std::wstring& name, const double* bounds, const TextBody& body) : name_(name) {
    for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
    for (size_t i = 0; i < body.paragraphs.size(); ++i)
      paragraphs_.push_back(boost::make_shared<DocParagraph>(
          name + L"/p" + std::to_wstring(i), bounds, body.paragraphs[i], static_cast<int>(i)));
  }
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    switch (id) {
      case eIidTextBody17:
        return AnswerInterface<IScreenObject>(this, out, sharesOwner);
      case eIidTextBody19:
      case eIidParagraphList:
        return AnswerInterface<IItemList>(this, out, sharesOwner);
      default:
        return false;
    }
  }
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }
  uint32_t GetItemCount() override { return static_cast<uint32_t>(paragraphs_.size()); }
  boost::shared_ptr<IScreenObject> GetItem(uint32_t index) override {
    if (index >= paragraphs_.size()) return boost::shared_ptr<IScreenObject>();
    return paragraphs_[index];
  }

 private:
  std::wstring name_;
  double bounds_[4];
  std::vector<boost::shared_ptr<DocParagraph>> paragraphs_;
};

// The shape's child list: its text body, when it has one. The list itself
// answers 17 when there is a text body.
class DocChildList : public IChildList {
 public:
  explicit DocChildList(const Shape& shape) {
    if (!shape.HasTextBody()) return;
    double bounds[4] = {shape.X(), shape.Y(), shape.X() + shape.Width(),
                        shape.Y() + shape.Height()};
    body_ = boost::make_shared<DocTextBody>(shape.Id() + L"/text", bounds, shape.Text());
  }
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    if (id == eIidChildList) return AnswerInterface<IChildList>(this, out, sharesOwner);
    if (id == eIidTextBody17 && body_) return AnswerInterface<IChildList>(this, out, sharesOwner);
    return false;
  }
  uint32_t GetChildCount() override { return body_ ? 1 : 0; }
  boost::shared_ptr<IScreenObject> GetChild(uint32_t index) override {
    if (index != 0 || !body_) return boost::shared_ptr<IScreenObject>();
    return body_;
  }

 private:
  boost::shared_ptr<DocTextBody> body_;
};

}  // namespace

Shape::Shape(const std::wstring& id) : id_(id), sheet_(boost::make_shared<PropertySheet>()) {
  SetFill(FillStyle());
  SetLine(LineStyle());
}

bool Shape::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) {
  if (id == eIidPropertySheet) {
    if (out) {
      *out = sheet_;
      if (sharesOwner) *sharesOwner = false;
    }
    return true;
  }
  if (id == eIidChildList) {
    // A fresh view of the current text; it owns what it lists.
    auto list = boost::make_shared<DocChildList>(*this);
    if (out) {
      *out = list;
      if (sharesOwner) *sharesOwner = false;
    }
    return true;
  }
  if (id == eIidTextBody17 && hasTextBody_) return AnswerInterface<IShape>(this, out, sharesOwner);
  if (extraIds_.count(id)) return AnswerInterface<IShape>(this, out, sharesOwner);
  return false;
}

Shape& Shape::SetName(const std::wstring& name) {
  name_ = name;
  return *this;
}
Shape& Shape::SetKind(ShapeKind kind) {
  kind_ = kind;
  return *this;
}
Shape& Shape::SetBounds(double x, double y, double width, double height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  return *this;
}
Shape& Shape::SetRotation(double degrees) {
  rotation_ = degrees;
  return *this;
}
Shape& Shape::SetFlip(bool horizontal, bool vertical) {
  flipH_ = horizontal;
  flipV_ = vertical;
  return *this;
}
Shape& Shape::SetGeometry(const std::string& preset) {
  geometry.preset = preset;
  return *this;
}

Shape& Shape::SetFill(const FillStyle& fill) {
  fill_ = fill;
  auto sheet = boost::make_shared<PropertySheet>();
  sheet->Set<int>(ePropFillType, fill.type);
  if (fill.type == eFillSolid) sheet->Set<Kinefold::TColor>(ePropFillColor, fill.colour);
  sheet->Set<bool>(ePropOpaqueColor, true);
  sheet_->SetSheet(ePropFillSheet, sheet);
  return *this;
}

Shape& Shape::SetSolidFill(const Kinefold::TColor& colour) {
  FillStyle fill;
  fill.type = eFillSolid;
  fill.colour = colour;
  return SetFill(fill);
}

Shape& Shape::SetLine(const LineStyle& line) {
  line_ = line;
  auto sheet = boost::make_shared<PropertySheet>();
  if (line.present) sheet->Set<Kinefold::TColor>(ePropLineColor, line.colour);
  sheet->Set<bool>(ePropOpaqueColor, true);
  sheet_->SetSheet(ePropLineSheet, sheet);
  return *this;
}

Shape& Shape::SetPlaceholderType(int type) {
  placeholderType_ = type;
  sheet_->Set<int>(ePropPlaceholderType, type);
  return *this;
}

Shape& Shape::SetText(const std::vector<std::wstring>& paragraphs, const CharProps& props) {
  TextBody body;
  for (const std::wstring& text : paragraphs) {
    Paragraph p;
    if (!text.empty()) p.runs.push_back(TextRun{text, props});
    body.paragraphs.push_back(p);
  }
  return SetTextBody(body);
}

Shape& Shape::SetTextBody(const TextBody& body) {
  text_ = body;
  hasTextBody_ = true;
  return *this;
}

Shape& Shape::SetMedia(MediaKind kind) {
  media_ = kind;
  return *this;
}

Shape& Shape::SetMediaInfo(const MediaInfo& info) {
  mediaInfo = info;
  auto bookmarks = boost::make_shared<PropertySheetList>();
  for (const MediaBookmark& bookmark : info.bookmarks) {
    auto sheet = boost::make_shared<PropertySheet>();
    sheet->Set<std::wstring>(ePropBookmarkName, bookmark.name);
    sheet->Set<double>(ePropBookmarkTime, bookmark.timeMs);
    bookmarks->Add(sheet);
  }
  if (!info.bookmarks.empty()) sheet_->SetList(ePropBookmarks, bookmarks);
  sheet_->Set<double>(ePropMediaTrimStart, info.trimStartMs);
  sheet_->Set<double>(ePropMediaTrimEnd, info.trimEndMs);
  sheet_->Set<int>(ePropMediaSetting122, info.hiddenWhenStopped ? 1 : 0);
  sheet_->Set<int>(ePropMediaSetting123, info.muted ? 1 : 0);
  return *this;
}

Shape& Shape::AddInterface(EInterfaceId id) {
  extraIds_.insert(id);
  return *this;
}

void Shape::AddChild(const boost::shared_ptr<Shape>& child) {
  children_.push_back(child);
  child->parent_ = shared_from_this();
}

}  // namespace platform
