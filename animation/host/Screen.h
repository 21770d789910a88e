// The publisher's screen objects, the screen shapes its factory makes for
// masks, its colour utilities and its sound actions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Interface.h"
#include "host/Kinefold.h"
#include "host/PropertySheet.h"

// Every screen object: a shape, a part of a shape, a text unit, a mask shape.
class IScreenObject : public IInterface {
 public:
  // Left, top, right, bottom in slide units, as authored (not transformed).
  virtual const double* GetBounds() = 0;
  // Unique on the slide; agents are filed under it.
  virtual void GetName(std::wstring& name) = 0;
};

// Interface 8: ordered children (a shape's parts, a group's members).
class IChildList : public IInterface {
 public:
  virtual uint32_t GetChildCount() = 0;
  virtual boost::shared_ptr<IScreenObject> GetChild(uint32_t index) = 0;
};

// Interfaces 19, 20, 48 and 63: ordered items (paragraphs of a text body, text
// units of a paragraph, letters of a word, runs of a paragraph, group members).
class IItemList : public IInterface {
 public:
  virtual uint32_t GetItemCount() = 0;
  virtual boost::shared_ptr<IScreenObject> GetItem(uint32_t index) = 0;
};

// Interface 9: the frame's transform and colour transform of an object.
// The transform is six doubles tx, ty, b, c, a, d mapping (x, y) to
// (a*x + c*y + tx, b*x + d*y + ty). Agents change both in place.
class IShapeContext : public IInterface {
 public:
  virtual double* GetTransform() = 0;
  virtual Kinefold::TColorMatrix* GetColorTransform() = 0;
};

// Interface 10: a shape-level target; a compound of parts with the frame's
// transform, colour transform and position.
class IShapeTarget : public IShapeContext {
 public:
  virtual uint32_t GetChildCount() = 0;
  virtual boost::shared_ptr<IScreenObject> GetChild(uint32_t index) = 0;
  virtual bool GetShapeFlag() = 0;
  virtual void SetShapeFlag(bool value) = 0;
  // The frame's position of the object (left, top), changed in place.
  virtual double* GetPosition() = 0;
};

class IScreenShape;

// Interface 12: the mask children of an object. Active masks clip the object
// to their content.
class ICompoundShape : public IInterface {
 public:
  virtual uint32_t GetChildCount() = 0;
  virtual boost::shared_ptr<IScreenShape> GetChild(uint32_t index) = 0;
  virtual void InsertChild(const boost::shared_ptr<IScreenShape>& child, int32_t position) = 0;
  virtual void SetChildActive(bool active, const boost::shared_ptr<IScreenShape>& child) = 0;
  virtual void DetachChild(const boost::shared_ptr<IScreenShape>& child) = 0;
};

// Interface 66: a text unit that can be drawn as an object of its own.
class ISeparable : public IInterface {
 public:
  virtual void MarkSeparate() = 0;
};

// Interface 52: a screen object that plays a sound or video.
class IMediaScreenObject : public IInterface {
 public:
  virtual boost::shared_ptr<IPropertySheet> GetMediaSheet() = 0;
};

// Interface 93: a video player.
class IVideoPlayer : public IInterface {
 public:
  virtual void SetStartTime(int32_t value) = 0;
  virtual void SetSecondSetting(int32_t value) = 0;
};

// Interfaces 39 and 49: the document shape behind a screen object (its fill
// sheet 200 and line sheet 201) and the shape it is related to (its group).
class IDocumentShapeLink : public IInterface {
 public:
  virtual boost::shared_ptr<IInterface> GetDocumentShape() = 0;
  virtual boost::shared_ptr<IInterface> GetRelatedShape() = 0;
};

// A shape made by ScreenShapeFactroy: a mask primitive, a group, a morph or a
// mask container. Kind-specific values go through its property sheet (28).
class IScreenShape : public IScreenObject {
 public:
  virtual void SetOutline(int32_t outline) = 0;
  virtual void GetContentShape(boost::shared_ptr<IScreenShape>& out, int32_t index) = 0;
  // Rectangle: left, top, right, bottom. Line: x1, y1, x2, y2. Polygon,
  // ellipse, group: bounds.
  virtual void SetGeometry(double a, double b, double c, double d) = 0;
  virtual void SetFilled(int32_t filled) = 0;
  virtual void AddChild(const boost::shared_ptr<IScreenShape>& child) = 0;
  virtual void SetStartShape(const boost::shared_ptr<IScreenShape>& shape) = 0;
  virtual void SetEndShape(const boost::shared_ptr<IScreenShape>& shape) = 0;
  virtual void SetRatio(uint32_t ratio) = 0;  // 0..65535
};

// A mask container: the object it is attached to stays visible inside the
// content shape while the container is active.
class ICompoundScreenShape : public IScreenShape {
 public:
  virtual void SetContent(const boost::shared_ptr<IScreenShape>& content) = 0;
};

class ScreenShapeFactroy {
 public:
  // 40 circle, 41 rectangle, 42 line, 43 polygon, 45 ellipse, 48 group, 53 morph.
  static boost::shared_ptr<IScreenShape> GetScreenShape(EInterfaceId kind);
  // 11: a mask container.
  static boost::shared_ptr<ICompoundScreenShape> GetCompoundScreenShape(EInterfaceId kind);
};

class PublisherUtils {
 public:
  static void ChangeShapeColor(const boost::shared_ptr<IScreenObject>& shape,
                               const Kinefold::TColorMatrix& matrix);
  static void ChangeTextColor(const boost::shared_ptr<IScreenObject>& shape,
                              const Kinefold::TColorMatrix& matrix);
  static void AnimateFillColor(const boost::shared_ptr<IScreenObject>& shape,
                               Kinefold::TColorMatrix& matrix, const Kinefold::TColor& baseFill,
                               bool groupFill);
  static void AnimateLineColor(const boost::shared_ptr<IScreenObject>& shape,
                               Kinefold::TColorMatrix& matrix,
                               const std::vector<Kinefold::TColor>& lineColours);
  static void ChangeShapeColorByHSL(const boost::shared_ptr<IScreenObject>& shape, int32_t hue,
                                    int32_t saturation, int32_t lightness, double progress);
  static bool GetFirstCharColor(const boost::shared_ptr<IScreenObject>& shape,
                                Kinefold::TColor& colour);
};

enum EActionType : int32_t { eActionTypeSound = 0 };
enum ESoundType : int32_t { eSoundTypeEffect = 1 };

// A sound to start, handed to the host; its settings are on its property sheet.
class IActionObject : public IInterface {
 public:
  // True when the sound restarts at the start of each iterated text unit.
  virtual bool PlaysPerUnit() = 0;
};

boost::shared_ptr<IActionObject> CreateScreenActionObject(EActionType action, ESoundType sound);
