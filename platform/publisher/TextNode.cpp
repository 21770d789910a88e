#include "publisher/TextNode.h"

namespace platform {

TextNode::TextNode(Role role, const std::wstring& name, const double bounds[4], ShapeNode* shape,
                   size_t paragraph, size_t firstLetter, size_t letterCount)
    : ScreenNode(role, name, bounds),
      shape_(shape),
      paragraph_(paragraph),
      firstLetter_(firstLetter),
      letterCount_(letterCount),
      runItems_(&runs_) {}

bool TextNode::QueryExtra(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) {
  if (id == eIidRunGroup && GetRole() == Role::Paragraph)
    return AnswerInterface<IItemList>(&runItems_, out, sharesOwner);
  return false;
}

}  // namespace platform
