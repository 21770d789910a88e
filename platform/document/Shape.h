// A shape of a slide as the document describes it.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "common/PropertySheet.h"
#include "document/TextModel.h"
#include "host/Document.h"
#include "host/Kinefold.h"

namespace platform {

// What the shape element was: sp, pic, grpSp, cxnSp, or graphicFrame (tables,
// charts, diagrams, OLE objects; ink is read as a graphic frame too).
enum class ShapeKind { Shape, Picture, Group, Connector, GraphicFrame };

// Interface ids the reader adds to document shapes by kind, so that the slide
// build's 3-D rule can tell them apart: pictures 16, groups 25, graphic frames
// 61, shapes with a text body 22.
enum : int32_t {
  eShapeKindPictureId = 16,
  eShapeKindGroupId = 25,
  eShapeKindGraphicFrameId = 61,
  eShapeKindTextId = 22,
};

// Placeholder kinds (key 6 of a shape); 0 is not a placeholder. A placeholder
// without a type attribute is an object placeholder (9).
enum PlaceholderKind {
  ePlaceholderNone = 0,
  ePlaceholderTitle = 1,
  ePlaceholderBody = 2,
  ePlaceholderCentredTitle = 3,
  ePlaceholderSubTitle = 4,
  ePlaceholderDate = 5,
  ePlaceholderSlideNumber = 6,
  ePlaceholderFooter = 7,
  ePlaceholderHeader = 8,
  ePlaceholderObject = 9,
  ePlaceholderChart = 10,
  ePlaceholderTable = 11,
  ePlaceholderClipArt = 12,
  ePlaceholderDiagram = 13,
  ePlaceholderMedia = 14,
  ePlaceholderSlideImage = 15,
  ePlaceholderPicture = 16,
};

// Fill types (key 239 of the fill sheet).
enum FillType {
  eFillNone = 0,
  eFillSolid = 1,
  eFillGradient = 2,
  eFillGroup = 3,  // the shape takes its group's fill
  eFillPicture = 4,
  eFillPattern = 5,
};

struct GradientStop {
  double position = 0.0;  // 0..1 along the gradient
  Kinefold::TColor colour{255, 255, 255, 255};
};

struct FillStyle {
  int type = eFillNone;
  Kinefold::TColor colour{255, 255, 255, 255};  // a gradient's first stop
  // Gradients: stops in order, the direction of a linear one (degrees,
  // clockwise from left-to-right) and whether it spreads from the centre.
  std::vector<GradientStop> stops;
  double angle = 0.0;
  bool radial = false;
  double focusX = 0.5, focusY = 0.5;  // a radial one's centre, fractions of the box
  // A rectangular one (path "rect" or "shape") grows from its focus rectangle
  // (left, top, right, bottom, fractions of the box) out to the box's edges.
  bool rectangular = false;
  double focus[4] = {0.5, 0.5, 0.5, 0.5};
};

struct LineStyle {
  bool present = false;
  Kinefold::TColor colour{0, 0, 0, 255};
  double width = 1.0;  // slide units
  bool dashed = false;
  // On and off lengths of a dashed line, in line widths; empty: an even dash.
  std::vector<double> dashes;
  // Line ends (headEnd at the path's start, tailEnd at its end): "triangle",
  // "stealth", "diamond", "oval", "arrow" or empty; sizes 0 small, 1 medium,
  // 2 large (width, length).
  std::string headEnd, tailEnd;
  int headWidth = 1, headLength = 1, tailWidth = 1, tailLength = 1;
  int join = 0;  // corners: 0 mitred, 1 round, 2 bevelled
  int cap = 0;   // ends: 0 flat, 1 round, 2 square
};

// One command of a custom geometry path, in the path's own coordinates.
struct PathCommand {
  enum Kind { MoveTo, LineTo, CubicTo, QuadTo, ArcTo, Close } kind = MoveTo;
  // MoveTo/LineTo: x, y. CubicTo: three points. QuadTo: two points.
  // ArcTo: width radius, height radius, start angle, swing angle (degrees).
  double v[6] = {0, 0, 0, 0, 0, 0};
  // The name of a geometry guide that stands for v[i]; empty when v[i] holds
  // the value. Guides give lengths in EMU (the path's own units when it has a
  // size) and angles in 60000ths of a degree.
  std::string ref[6];
};

struct GeometryPath {
  double width = 0.0;  // path coordinate extent; 0: slide units from the shape's corner
  double height = 0.0;
  bool filled = true;
  bool stroked = true;
  std::vector<PathCommand> commands;
};

// A named formula of custom geometry ("*/ w adj1 100000"); its value may be
// used by the guides after it and by path commands.
struct GeometryGuide {
  std::string name;
  std::string formula;
};

struct Geometry {
  std::string preset = "rect";  // preset name; "custom" when paths are given
  std::vector<std::pair<std::string, double>> adjust;
  std::vector<GeometryPath> paths;
  // Custom geometry's adjust values and guides, in the order they are
  // evaluated; empty when its paths give plain numbers only.
  std::vector<GeometryGuide> guides;
};

struct PictureData {
  std::string contentType;  // "image/png", "image/jpeg", ...
  std::vector<unsigned char> bytes;
  // The part of the picture shown (fractions cut from each side; srcRect).
  double cropLeft = 0.0, cropTop = 0.0, cropRight = 0.0, cropBottom = 0.0;
  bool tile = false;  // repeated at its own size instead of stretched
  // A tile's scale, its offset (slide units) and where it is aligned in the
  // box on each axis (0 start, 1 centre, 2 end).
  double tileScaleX = 1.0, tileScaleY = 1.0;
  double tileOffsetX = 0.0, tileOffsetY = 0.0;
  int tileAlignX = 0, tileAlignY = 0;
  // Recolouring: grey levels, a duotone (each pixel's grey level placed
  // between two colours), brightness and contrast (-1..1) and a constant
  // opacity (0..1).
  bool grey = false;
  bool duotone = false;
  Kinefold::TColor duoDark{0, 0, 0, 255}, duoLight{255, 255, 255, 255};
  double brightness = 0.0, contrast = 0.0;
  double opacity = 1.0;
};

// A mirrored copy of a shape below it, fading as it goes down.
struct ReflectionStyle {
  bool present = false;
  double blur = 0.0;                        // blur radius, slide units
  double startAlpha = 0.5, endAlpha = 0.0;  // opacity at the shape's edge and at endPos
  double endPos = 1.0;                      // where the fade ends, a fraction of the height
  double dist = 0.0;                        // gap below the shape, slide units
};

enum class MediaKind { None, Audio, Video };

struct MediaBookmark {
  std::wstring name;
  double timeMs = 0.0;  // from the start of the media
};

// A sound or video shape's media. The data itself is not loaded: partName
// names the embedded part, link an external file.
struct MediaInfo {
  std::string partName;
  std::string link;
  std::string contentType;
  double trimStartMs = 0.0;  // cut from the start of the media
  double trimEndMs = 0.0;    // cut from the end of the media
  std::vector<MediaBookmark> bookmarks;
  double volume = 1.0;             // 0..1
  bool muted = false;              // written to key 123
  bool hiddenWhenStopped = false;  // written to key 122
  bool loops = false;              // repeats until stopped
  int repeatCount = 1;             // whole plays when it does not loop
};

// A group's own frame: its members' coordinates are given in the child frame
// (chOff, chExt) and mapped onto the group's bounds. Members' bounds in the
// model are already in slide units; this is kept for reference.
struct GroupFrame {
  double childX = 0.0, childY = 0.0, childWidth = 0.0, childHeight = 0.0;
};

class Shape : public IShape, public boost::enable_shared_from_this<Shape> {
 public:
  explicit Shape(const std::wstring& id);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  std::wstring GetId() override { return id_; }

  const std::wstring& Id() const { return id_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }

  Shape& SetName(const std::wstring& name);
  Shape& SetKind(ShapeKind kind);
  Shape& SetBounds(double x, double y, double width, double height);
  Shape& SetRotation(double degrees);
  Shape& SetFlip(bool horizontal, bool vertical);
  Shape& SetGeometry(const std::string& preset);
  Shape& SetFill(const FillStyle& fill);
  Shape& SetSolidFill(const Kinefold::TColor& colour);
  Shape& SetLine(const LineStyle& line);
  Shape& SetPlaceholderType(int type);
  Shape& SetText(const std::vector<std::wstring>& paragraphs, const CharProps& props = CharProps());
  Shape& SetTextBody(const TextBody& body);
  Shape& SetMedia(MediaKind kind);
  // Media data with trims and bookmarks; also writes keys 105, 120 to 123.
  Shape& SetMediaInfo(const MediaInfo& info);
  Shape& AddInterface(EInterfaceId id);

  const std::wstring& Name() const { return name_; }
  ShapeKind Kind() const { return kind_; }
  double X() const { return x_; }
  double Y() const { return y_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  double Rotation() const { return rotation_; }
  bool FlipH() const { return flipH_; }
  bool FlipV() const { return flipV_; }
  const FillStyle& Fill() const { return fill_; }
  const LineStyle& Line() const { return line_; }
  int PlaceholderType() const { return placeholderType_; }
  bool HasTextBody() const { return hasTextBody_; }
  const TextBody& Text() const { return text_; }
  TextBody& MutableText() { return text_; }
  MediaKind Media() const { return media_; }

  // Geometry, picture and parser-library facts are plain data.
  Geometry geometry;
  PictureData picture;
  ShadowStyle shadow;     // outer shadow of the shape's fill and line
  double softEdge = 0.0;  // radius over which the edges fade out, slide units
  ReflectionStyle reflection;
  ShadowStyle glow;  // halo around them: its colour, and its size as `blur` (no offset)
  bool threeD = false;
  bool threeDFlag = true;  // what Is3dShape leaves in its out flag
  bool rasterParagraph = false;
  bool unsupported = false;
  int smartArtElements = 0;
  std::string picturePart;  // the package part the picture came from, for messages
  MediaInfo mediaInfo;
  GroupFrame groupFrame;            // groups only
  long long placeholderIndex = -1;  // idx of a placeholder, -1 when it has none
  std::string graphicKind;  // graphic frames: "table", "chart", "diagram", "ole", "ink", ...
  // What a graphic frame shows (table cells and borders, a diagram's stored
  // drawing), in slide units; drawn with the frame, not shapes of the slide.
  std::vector<boost::shared_ptr<Shape>> parts;
  // Tables: the authored height of each row, and on each cell and border
  // part the grid lines (0 = the table's top) at its top and bottom, so that
  // rows can grow to hold their text and move the rows below down.
  std::vector<double> tableRows;
  int tableTop = -1, tableBottom = -1;

  // Group members, in drawing order.
  const std::vector<boost::shared_ptr<Shape>>& Children() const { return children_; }
  void AddChild(const boost::shared_ptr<Shape>& child);
  boost::shared_ptr<Shape> Parent() const { return parent_.lock(); }

 private:
  std::wstring id_;
  std::wstring name_;
  ShapeKind kind_ = ShapeKind::Shape;
  double x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  double rotation_ = 0;
  bool flipH_ = false, flipV_ = false;
  FillStyle fill_;
  LineStyle line_;
  int placeholderType_ = 0;
  bool hasTextBody_ = false;
  TextBody text_;
  MediaKind media_ = MediaKind::None;
  std::set<EInterfaceId> extraIds_;
  std::vector<boost::shared_ptr<Shape>> children_;
  boost::weak_ptr<Shape> parent_;
  boost::shared_ptr<PropertySheet> sheet_;
};

}  // namespace platform
