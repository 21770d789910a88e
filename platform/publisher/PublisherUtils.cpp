// The publisher's colour utilities. They change the colours a screen object
// draws with in the current frame (the frame reset restores the authored
// ones): fill and line colours of the geometry leaves under the object, and
// the colour of the letters under it.
#include <vector>

#include "host/Screen.h"
#include "publisher/ColorMath.h"
#include "publisher/NodeColours.h"
#include "publisher/ScreenNode.h"
#include "publisher/ShapeNode.h"
#include "publisher/TextNode.h"
#include "publisher/TextRuns.h"

namespace platform {
namespace {

ScreenNode* NodeOf(const boost::shared_ptr<IScreenObject>& object) {
  if (auto* node = dynamic_cast<ScreenNode*>(object.get())) return node;
  if (auto* run = dynamic_cast<TextRunObject*>(object.get())) return run->TextNode();
  return nullptr;
}

std::vector<ScreenNode*> Leaves(const boost::shared_ptr<IScreenObject>& object) {
  std::vector<ScreenNode*> leaves;
  if (ScreenNode* node = NodeOf(object))
    node->Walk([&](ScreenNode& n) {
      if (n.GetRole() == ScreenNode::Role::Fill) leaves.push_back(&n);
    });
  return leaves;
}

// Letters under the object; for a formatting run, the letters it covers.
std::vector<TextNode*> Letters(const boost::shared_ptr<IScreenObject>& object) {
  std::vector<TextNode*> letters;
  if (auto* run = dynamic_cast<FormattingRun*>(object.get())) {
    auto* paragraph = dynamic_cast<TextNode*>(run->TextNode());
    if (!paragraph || !paragraph->Shape()) return letters;
    const auto& all = paragraph->Shape()->Letters();
    if (paragraph->ParagraphIndex() >= all.size()) return letters;
    const auto& line = all[paragraph->ParagraphIndex()];
    for (size_t i = run->FirstLetter(); i < run->FirstLetter() + run->LetterCount(); ++i)
      if (i < line.size()) letters.push_back(line[i]);
    return letters;
  }
  if (ScreenNode* node = NodeOf(object))
    node->Walk([&](ScreenNode& n) {
      if (n.GetRole() == ScreenNode::Role::Letter) letters.push_back(static_cast<TextNode*>(&n));
    });
  return letters;
}

}  // namespace
}  // namespace platform

using platform::ApplyMatrix;

void PublisherUtils::ChangeShapeColor(const boost::shared_ptr<IScreenObject>& shape,
                                      const Kinefold::TColorMatrix& matrix) {
  for (platform::ScreenNode* leaf : platform::Leaves(shape)) {
    Kinefold::TColor c;
    if (platform::FillColour(*leaf, c)) leaf->MutableFrame().fill.Set(ApplyMatrix(c, matrix));
    if (platform::LineColour(*leaf, c)) leaf->MutableFrame().line.Set(ApplyMatrix(c, matrix));
  }
}

void PublisherUtils::ChangeTextColor(const boost::shared_ptr<IScreenObject>& shape,
                                     const Kinefold::TColorMatrix& matrix) {
  for (platform::TextNode* letter : platform::Letters(shape))
    letter->MutableFrame().text.Set(ApplyMatrix(platform::TextColour(*letter), matrix));
}

// The fill becomes the matrix applied to the leaf's own fill colour (its
// group's colour when it takes the group's fill); `baseFill` stands in for
// leaves without a fill colour. The matrix is left as it is.
void PublisherUtils::AnimateFillColor(const boost::shared_ptr<IScreenObject>& shape,
                                      Kinefold::TColorMatrix& matrix,
                                      const Kinefold::TColor& baseFill, bool) {
  for (platform::ScreenNode* leaf : platform::Leaves(shape)) {
    Kinefold::TColor c = baseFill;
    platform::FillColour(*leaf, c);
    leaf->MutableFrame().fill.Set(ApplyMatrix(c, matrix));
  }
}

// Each line becomes the matrix applied to its own colour; leaves without a
// line keep having none. The gathered colours are the same authored colours,
// so the list is not needed here.
void PublisherUtils::AnimateLineColor(const boost::shared_ptr<IScreenObject>& shape,
                                      Kinefold::TColorMatrix& matrix,
                                      const std::vector<Kinefold::TColor>&) {
  for (platform::ScreenNode* leaf : platform::Leaves(shape)) {
    Kinefold::TColor c;
    if (platform::LineColour(*leaf, c)) leaf->MutableFrame().line.Set(ApplyMatrix(c, matrix));
  }
}

void PublisherUtils::ChangeShapeColorByHSL(const boost::shared_ptr<IScreenObject>& shape,
                                           int32_t hue, int32_t saturation, int32_t lightness,
                                           double progress) {
  const double dh = hue * progress, ds = saturation * progress, dl = lightness * progress;
  for (platform::ScreenNode* leaf : platform::Leaves(shape)) {
    Kinefold::TColor c;
    if (platform::FillColour(*leaf, c))
      leaf->MutableFrame().fill.Set(platform::ShiftHsl(c, dh, ds, dl));
    if (platform::LineColour(*leaf, c))
      leaf->MutableFrame().line.Set(platform::ShiftHsl(c, dh, ds, dl));
  }
}

bool PublisherUtils::GetFirstCharColor(const boost::shared_ptr<IScreenObject>& shape,
                                       Kinefold::TColor& colour) {
  std::vector<platform::TextNode*> letters = platform::Letters(shape);
  if (letters.empty()) return false;
  colour = platform::TextColour(*letters.front());
  return true;
}
