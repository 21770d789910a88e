#include "publisher/ScreenNode.h"

namespace platform {

ScreenNode::ScreenNode(Role role, const std::wstring& name, const double bounds[4])
    : role_(role),
      name_(name),
      sheet_(boost::make_shared<PropertySheet>()),
      masks_(&frame_.masks),
      partItems_(&parts_) {
  for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
  frame_.position[0] = bounds_[0];
  frame_.position[1] = bounds_[1];
  authored_ = frame_;
}

ScreenNode::~ScreenNode() = default;

bool ScreenNode::AnswersTarget() const {
  return role_ != Role::Fill && role_ != Role::Letter;
}

bool ScreenNode::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                EInterfaceId id) {
  const bool text = role_ == Role::TextBody || role_ == Role::Paragraph || role_ == Role::Word;
  switch (id) {
    case eIidPropertySheet:
      return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
    case eIidScreenShape9:
      return AnswerInterface<IShapeContext>(static_cast<IShapeTarget*>(this), out, sharesOwner);
    case eIidCompoundShape:
      return AnswerInterface<ICompoundShape>(&masks_, out, sharesOwner);
    case eIidShapeTarget:
      if (!AnswersTarget()) break;
      return AnswerInterface<IShapeTarget>(this, out, sharesOwner);
    case eIidChildList:
      // Group nodes are animated as one object: they list their members as
      // parts (10) and items (48) but offer no child list to walk.
      if (role_ != Role::Shape && !text) break;
      return AnswerInterface<IChildList>(this, out, sharesOwner);
    case eIidTextBody19:
      if (role_ != Role::TextBody) break;
      return AnswerInterface<IItemList>(&partItems_, out, sharesOwner);
    case eIidParagraphList:
      if (!text) break;
      return AnswerInterface<IItemList>(&partItems_, out, sharesOwner);
    case eIidSeparable:
      if (!text && role_ != Role::Letter) break;
      return AnswerInterface<ISeparable>(this, out, sharesOwner);
    case eIidSingleTarget:
      if (role_ != Role::Letter) break;
      return AnswerInterface<IScreenObject>(AsScreenObject(), out, sharesOwner);
    default:
      break;
  }
  return QueryExtra(out, sharesOwner, id);
}

bool ScreenNode::QueryExtra(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) {
  return false;
}

boost::shared_ptr<IScreenObject> ScreenNode::GetChild(uint32_t index) {
  if (index >= parts_.size()) return boost::shared_ptr<IScreenObject>();
  return parts_[index];
}

void ScreenNode::AddPart(const boost::shared_ptr<ScreenNode>& part) {
  part->parent_ = this;
  parts_.push_back(part);
}

void ScreenNode::ResetFrame() {
  // Assigning keeps the vector object that the mask list points at.
  frame_ = authored_;
}

void ScreenNode::CaptureAuthored() {
  authored_ = frame_;
  std::vector<MaskEntry>& masks = authored_.masks;
  for (size_t i = masks.size(); i-- > 0;)
    if (masks[i].detached) masks.erase(masks.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace platform
