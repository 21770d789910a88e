#include "publisher/NodeColours.h"

namespace platform {

ShapeNode* ShapeOfLeaf(const ScreenNode& leaf) {
  const ScreenNode* node = &leaf;
  if (node->GetRole() == ScreenNode::Role::Fill) node = node->Parent();
  if (!node || node->GetRole() != ScreenNode::Role::Geometry) return nullptr;
  return dynamic_cast<ShapeNode*>(node->Parent());
}

bool FillColour(const ScreenNode& leaf, Kinefold::TColor& colour) {
  if (leaf.Frame().fill.set) {
    colour = leaf.Frame().fill.colour;
    return true;
  }
  const ShapeNode* shape = ShapeOfLeaf(leaf);
  if (!shape) return false;
  for (const ShapeNode* s = shape; s; s = s->ParentGroup()) {
    const FillStyle& fill = s->Document()->Fill();
    if (fill.type == eFillGroup) continue;
    if (fill.type == eFillNone || fill.type == eFillPicture) return false;
    colour = fill.colour;
    return true;
  }
  return false;
}

bool LineColour(const ScreenNode& leaf, Kinefold::TColor& colour) {
  if (leaf.Frame().line.set) {
    colour = leaf.Frame().line.colour;
    return true;
  }
  const ShapeNode* shape = ShapeOfLeaf(leaf);
  if (!shape || !shape->Document()->Line().present) return false;
  colour = shape->Document()->Line().colour;
  return true;
}

Kinefold::TColor TextColour(const TextNode& letter) {
  if (letter.Frame().text.set) return letter.Frame().text.colour;
  if (letter.Run()) return letter.Run()->Authored().colour;
  return CharProps().colour;
}

}  // namespace platform
