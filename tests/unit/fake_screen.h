// Small stand-ins for the publisher's screen objects: nodes with a frame
// transform, colour transform, position, children, item lists, mask list,
// name, bounds and property sheet, built into the tree a slide's shape has.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"
#include "common/PropertySheet.h"
#include "host/Screen.h"
#include "publisher/ItemListView.h"

namespace fake {

// An item list over its own vector.
struct ItemList : platform::ItemListView<IScreenObject> {
  ItemList() : ItemListView(&items) {}
  ItemList(const ItemList&) = delete;  // the view points at this list's own items
  std::vector<boost::shared_ptr<IScreenObject>> items;
};

class MaskList : public ICompoundShape {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  uint32_t GetChildCount() override { return static_cast<uint32_t>(masks.size()); }
  boost::shared_ptr<IScreenShape> GetChild(uint32_t i) override {
    return i < masks.size() ? masks[i] : boost::shared_ptr<IScreenShape>();
  }
  void InsertChild(const boost::shared_ptr<IScreenShape>& c, int32_t) override {
    masks.insert(masks.begin(), c);
  }
  void SetChildActive(bool, const boost::shared_ptr<IScreenShape>&) override {}
  void DetachChild(const boost::shared_ptr<IScreenShape>&) override {}
  std::vector<boost::shared_ptr<IScreenShape>> masks;
};

class Node : public IScreenObject, public IShapeTarget, public IChildList, public ISeparable {
 public:
  Node(const std::wstring& name, std::set<int> ids, double l = 0, double t = 0, double r = 0,
       double b = 0)
      : name_(name), ids_(std::move(ids)), bounds_{l, t, r, b} {
    ids_.insert(eIidPropertySheet);
  }

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* shares, EInterfaceId id) override {
    if (!ids_.count(id)) return false;
    switch (id) {
      case eIidTextRun:
      case eIidRunItem:
      case eIidSingleTarget:
        return AnswerInterface<IScreenObject>(this, out, shares);
      case eIidChildList:
        return AnswerInterface<IChildList>(this, out, shares);
      case eIidScreenShape9:
        return AnswerInterface<IShapeContext>(static_cast<IShapeTarget*>(this), out, shares);
      case eIidShapeTarget:
        return AnswerInterface<IShapeTarget>(this, out, shares);
      case eIidCompoundShape:
        return AnswerInterface<ICompoundShape>(&masks, out, shares);
      case eIidSeparable:
        return AnswerInterface<ISeparable>(this, out, shares);
      case eIidPropertySheet:
        return AnswerInterface<IPropertySheet>(sheet.get(), out, shares);
      default:
        return AnswerInterface<IItemList>(&lists[id], out, shares);
    }
  }
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }
  double* GetTransform() override { return transform; }
  Kinefold::TColorMatrix* GetColorTransform() override { return &colour; }
  uint32_t GetChildCount() override { return static_cast<uint32_t>(children.size()); }
  boost::shared_ptr<IScreenObject> GetChild(uint32_t i) override {
    return i < children.size() ? children[i] : boost::shared_ptr<IScreenObject>();
  }
  bool GetShapeFlag() override { return shapeFlag; }
  void SetShapeFlag(bool value) override { shapeFlag = value; }
  double* GetPosition() override { return position; }
  void MarkSeparate() override { separate = true; }

  // Items answered under `id` (19, 20, 48 or 63).
  std::vector<boost::shared_ptr<IScreenObject>>& Items(int id) {
    ids_.insert(id);
    return lists[id].items;
  }
  template <class T>
  Node& Set(EPropertyId key, const T& value) {
    sheet->Set<T>(key, value);
    return *this;
  }
  void ResetFrame() {
    const double identity[6] = {0, 0, 0, 0, 1, 1};
    std::copy(identity, identity + 6, transform);
    colour = Kinefold::TColorMatrix();
  }

  double transform[6] = {0, 0, 0, 0, 1, 1};  // tx, ty, b, c, a, d
  Kinefold::TColorMatrix colour;
  double position[2] = {0, 0};
  bool shapeFlag = false;
  bool separate = false;
  std::vector<boost::shared_ptr<IScreenObject>> children;
  std::map<int, ItemList> lists;
  MaskList masks;
  boost::shared_ptr<platform::PropertySheet> sheet = boost::make_shared<platform::PropertySheet>();

 private:
  std::wstring name_;
  std::set<int> ids_;
  double bounds_[4];
};

using NodePtr = boost::shared_ptr<Node>;

inline NodePtr MakeNode(const std::wstring& name, std::set<int> ids, double l = 0, double t = 0,
                        double r = 0, double b = 0) {
  return boost::make_shared<Node>(name, std::move(ids), l, t, r, b);
}

// A shape node "<id>" with its geometry part and, when `paragraphs` is not
// empty, its text body: paragraphs "<id>/p<k>" of words "<id>/p<k>/w<j>" of
// letters "<id>/p<k>/w<j>/l<i>" (a word keeps the blanks after it).
inline NodePtr MakeShape(const std::wstring& id, const std::vector<std::wstring>& paragraphs,
                         bool filled = true, double l = 100, double t = 100, double r = 300,
                         double b = 200) {
  NodePtr shape = MakeNode(id, {10, 9, 8, 12}, l, t, r, b);
  NodePtr part = MakeNode(id + L"/shape", {10, 9, 12}, l, t, r, b);
  part->shapeFlag = filled;
  part->children.push_back(MakeNode(id + L"/shape/fill", {9, 12}, l, t, r, b));
  shape->children.push_back(part);
  if (paragraphs.empty()) return shape;
  NodePtr body = MakeNode(id + L"/text", {10, 9, 12, 66}, l, t, r, b);
  for (size_t k = 0; k < paragraphs.size(); ++k) {
    const std::wstring pname = id + L"/p" + std::to_wstring(k);
    NodePtr p = MakeNode(pname, {10, 9, 12, 66}, l, t, r, b);
    p->Set<int>(ePropParagraphIndex, static_cast<int>(k));
    int words = 0, letters = 0;
    NodePtr word;
    std::wstring wname;
    const std::wstring& text = paragraphs[k];
    for (size_t i = 0; i < text.size(); ++i) {
      const bool blank = text[i] == L' ';
      if (!word || (!blank && text[i - 1] == L' ')) {
        wname = pname + L"/w" + std::to_wstring(words++);
        word = MakeNode(wname, {10, 9, 12, 66}, l, t, r, b);
        p->Items(eIidParagraphList).push_back(word);
        p->children.push_back(word);
      }
      auto& wordLetters = word->Items(eIidParagraphList);
      NodePtr letter = MakeNode(wname + L"/l" + std::to_wstring(wordLetters.size()),
                                {9, 12, 26, 66}, l, t, r, b);
      letter->Set<std::wstring>(ePropText, std::wstring(1, text[i]));
      letter->Set<bool>(ePropNoTimeStep, blank);
      if (!blank) ++letters;
      wordLetters.push_back(letter);
    }
    p->Set<int>(ePropWordCount, words).Set<int>(ePropLetterCount, letters);
    body->Items(eIidTextBody19).push_back(p);
    body->Items(eIidParagraphList).push_back(p);
    body->children.push_back(p);
  }
  shape->children.push_back(body);
  return shape;
}

// Finds the node named `name` under `root` (through children and item lists).
inline NodePtr Find(const NodePtr& root, const std::wstring& name) {
  std::wstring own;
  root->GetName(own);
  if (own == name) return root;
  for (const auto& c : root->children)
    if (NodePtr n = Find(boost::static_pointer_cast<Node>(c), name)) return n;
  for (auto& list : root->lists)
    for (const auto& item : list.second.items)
      if (NodePtr n = Find(boost::static_pointer_cast<Node>(item), name)) return n;
  return NodePtr();
}

// An agent that records the times it is applied at; with `checks` it first
// asks CheckTime like a drawing agent.
class ProbeAgent : public EffectAgent {
 public:
  explicit ProbeAgent(bool checks = false, uint32_t accel = 0, uint32_t decel = 0)
      : EffectAgent(boost::shared_ptr<IInterface>(), 1, accel, decel), checks_(checks) {}
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override {
    if (checks_ && !CheckTime(context, t)) return;
    times.push_back(t);
  }
  uint32_t AppliesToShape() override { return 1; }
  std::vector<uint32_t> times;

 private:
  bool checks_;
};

}  // namespace fake
