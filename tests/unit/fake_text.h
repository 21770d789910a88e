// Stand-ins for the text-run view of a shape (run text, paragraph run views
// and formatting runs with their character-property sheets) and for shape
// nodes linked to a document shape, on top of fake_screen.h.
#pragma once

#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "fake_screen.h"
#include "host/Properties.h"

namespace fake {

// A formatting run (21): current (75) and authored (76) character properties
// of font size `size`, and run kind 146.
inline NodePtr MakeRun(const std::wstring& name, double size, int kind = 0) {
  NodePtr run = MakeNode(name, {eIidRunItem});
  auto authored = boost::make_shared<platform::PropertySheet>();
  authored->Set<double>(ePropFontSize, size).Set<bool>(ePropBold, false);
  run->sheet->SetSheet(ePropRunCharProps, authored->Clone())
      .SetSheet(ePropRunAuthoredCharProps, authored)
      .Set<int>(ePropRunKind, kind);
  return run;
}

// The current character properties of a run.
inline boost::shared_ptr<IInterface> Props(const NodePtr& run) {
  return GetSheet(run->sheet, ePropRunCharProps);
}

// The run text "<id>/runs/text" (4, 19): one paragraph run view
// "<id>/runs/p<k>" (4, 20) per entry of `paragraphs`, listing its runs.
inline NodePtr MakeRunText(const std::wstring& id,
                           const std::vector<std::vector<NodePtr>>& paragraphs) {
  NodePtr text = MakeNode(id + L"/runs/text", {eIidTextRun}, 100, 100, 300, 200);
  for (size_t k = 0; k < paragraphs.size(); ++k) {
    NodePtr view =
        MakeNode(id + L"/runs/p" + std::to_wstring(k), {eIidTextRun}, 100, 100, 300, 200);
    for (const NodePtr& run : paragraphs[k]) view->Items(eIidRunGroup).push_back(run);
    text->Items(eIidTextBody19).push_back(view);
  }
  return text;
}

// The document shape behind a shape node and the shape it is related to.
class DocumentLink : public IDocumentShapeLink {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  boost::shared_ptr<IInterface> GetDocumentShape() override { return document; }
  boost::shared_ptr<IInterface> GetRelatedShape() override { return related; }
  boost::shared_ptr<IInterface> document;
  boost::shared_ptr<IInterface> related;
};

// A node that also answers 39 and 49 with its document link.
class LinkedNode : public Node {
 public:
  using Node::Node;
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* shares, EInterfaceId id) override {
    if (id == eIidDocumentShape39 || id == eIidShape49)
      return AnswerInterface<IDocumentShapeLink>(&link, out, shares);
    return Node::QueryInterface(out, shares, id);
  }
  DocumentLink link;
};

// A fill (200) or line (201) sheet: type 239 (fills only), colour 246 or 286,
// and the opaque flag 249.
inline boost::shared_ptr<platform::PropertySheet> FillSheet(int type, const Kinefold::TColor& c,
                                                            bool opaque = false) {
  auto sheet = boost::make_shared<platform::PropertySheet>();
  sheet->Set<int>(ePropFillType, type).Set<Kinefold::TColor>(ePropFillColor, c);
  sheet->Set<bool>(ePropOpaqueColor, opaque);
  return sheet;
}
inline boost::shared_ptr<platform::PropertySheet> LineSheet(const Kinefold::TColor& c,
                                                            bool opaque = false) {
  auto sheet = boost::make_shared<platform::PropertySheet>();
  sheet->Set<Kinefold::TColor>(ePropLineColor, c).Set<bool>(ePropOpaqueColor, opaque);
  return sheet;
}

}  // namespace fake
