// A drawable node of a slide's screen-object tree: a shape, its geometry part
// and fill leaf, its text body, paragraphs, words and letters.
//
// Every node keeps an authored state and a frame state (transform, colour
// transform, position, mask children, colour changes). Agents write the frame
// state through the host interfaces; a frame reset copies the authored state
// back. The node's parts are both its child list (8) and the parts of the
// compound target (10); its mask children are a separate list (12).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Screen.h"
#include "publisher/FrameState.h"
#include "publisher/ItemListView.h"
#include "publisher/MaskList.h"

namespace platform {

class ScreenNode : public IScreenObject,
                   public IShapeTarget,
                   public IChildList,
                   public ISeparable,
                   public boost::enable_shared_from_this<ScreenNode> {
 public:
  enum class Role { Shape, Group, Geometry, Fill, TextBody, Paragraph, Word, Letter };

  ScreenNode(Role role, const std::wstring& name, const double bounds[4]);
  ScreenNode(const ScreenNode&) = delete;
  ScreenNode& operator=(const ScreenNode&) = delete;
  ~ScreenNode() override;

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;

  // IScreenObject
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }

  // IShapeContext / IShapeTarget
  double* GetTransform() override { return frame_.transform; }
  Kinefold::TColorMatrix* GetColorTransform() override { return &frame_.colour; }
  bool GetShapeFlag() override { return flag_; }
  void SetShapeFlag(bool value) override { flag_ = value; }
  double* GetPosition() override { return frame_.position; }

  // IChildList and the parts of IShapeTarget: the same list.
  uint32_t GetChildCount() override { return static_cast<uint32_t>(parts_.size()); }
  boost::shared_ptr<IScreenObject> GetChild(uint32_t index) override;

  // ISeparable: recorded; every unit is drawn as an object of its own here.
  void MarkSeparate() override { separate_ = true; }

  // The platform's view.
  Role GetRole() const { return role_; }
  const std::wstring& Name() const { return name_; }
  const double* Bounds() const { return bounds_; }
  bool AnswersTarget() const;  // interface 10
  const std::vector<boost::shared_ptr<ScreenNode>>& Parts() const { return parts_; }
  void AddPart(const boost::shared_ptr<ScreenNode>& part);
  ScreenNode* Parent() const { return parent_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }
  bool IsSeparate() const { return separate_; }

  const FrameState& Frame() const { return frame_; }
  FrameState& MutableFrame() { return frame_; }
  const FrameState& Authored() const { return authored_; }
  MaskList& Masks() { return masks_; }
  const MaskList& Masks() const { return masks_; }

  // Copies the authored state into the frame state (this node only).
  void ResetFrame();
  // Makes the current frame state the authored one (this node only); mask
  // children detached for the current frame are left out.
  void CaptureAuthored();

  // Every node of the subtree, this one first, parts in order.
  template <class F>
  void Walk(F&& visit) {
    visit(*this);
    for (const auto& part : parts_) part->Walk(visit);
  }

 protected:
  // Interfaces that a kind of node answers beyond the common ones.
  virtual bool QueryExtra(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id);
  // The object to hand out as an IScreenObject for interfaces 26 and similar.
  IScreenObject* AsScreenObject() { return this; }

 private:
  Role role_;
  std::wstring name_;
  double bounds_[4];
  boost::shared_ptr<PropertySheet> sheet_;
  std::vector<boost::shared_ptr<ScreenNode>> parts_;
  ScreenNode* parent_ = nullptr;
  FrameState frame_;
  FrameState authored_;
  MaskList masks_;
  ItemListView<ScreenNode> partItems_;
  bool flag_ = false;
  bool separate_ = false;
};

}  // namespace platform
