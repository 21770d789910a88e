// The parser library's shape tests, answered from the document shape's data.
#include "document/Shape.h"
#include "host/Document.h"

namespace {

// The shapes the library asks about are the platform's own document shapes.
const platform::Shape* AsShape(const boost::shared_ptr<IShape>& shape) {
  return dynamic_cast<const platform::Shape*>(shape.get());
}

}  // namespace

bool ParserUtils::IsUnsupportedShape(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  return s && s->unsupported;
}

bool ParserUtils::Is3dShape(const boost::shared_ptr<IShape>& shape, bool& flag) {
  const platform::Shape* s = AsShape(shape);
  if (!s || !s->threeD) return false;
  flag = s->threeDFlag;
  return true;
}

bool ParserUtils::IsRasterParagraph(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  return s && s->rasterParagraph;
}

int ParserUtils::NumSmartArtElem(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  return s ? s->smartArtElements : 0;
}

int ParserUtils::NumVisibleParagraphs(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  if (!s || !s->HasTextBody()) return 0;
  int count = 0;
  for (const platform::Paragraph& p : s->Text().paragraphs) {
    for (const platform::TextRun& r : p.runs) {
      bool visible = false;
      for (wchar_t c : r.text)
        if (!platform::IsBlank(c)) visible = true;
      if (visible) {
        ++count;
        break;
      }
    }
  }
  return count;
}

bool ParserUtils::HasLine(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  return s && s->Line().present;
}

bool ParserUtils::HasFill(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  return s && s->Fill().type != platform::eFillNone;
}

std::wstring ParserUtils::GetShapeText(const boost::shared_ptr<IShape>& shape) {
  const platform::Shape* s = AsShape(shape);
  if (!s || !s->HasTextBody()) return std::wstring();
  return s->Text().Empty() ? std::wstring() : s->Text().Text();
}
