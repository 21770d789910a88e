// The host's document: the publish context, slides, their effect lists,
// effects with behaviours and trigger conditions, media and shapes, and the
// parser library's shape tests and the process settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "host/Interface.h"
#include "host/Optional.h"

class IScreenObject;

// Frame rate, default effect length and slide extent of a publishing run.
// The extent's first value is the slide's height, its second the width.
class PublishContext {
 public:
  PublishContext() = default;
  PublishContext(double slideHeight, double slideWidth, uint32_t frameRate,
                 uint32_t defaultEffectFrames)
      : slideHeight_(slideHeight),
        slideWidth_(slideWidth),
        frameRate_(frameRate),
        defaultEffectFrames_(defaultEffectFrames) {}

  double SlideHeight() const { return slideHeight_; }  // first extent value
  double SlideWidth() const { return slideWidth_; }    // second extent value
  uint32_t FrameRate() const { return frameRate_; }
  uint32_t DefaultEffectFrames() const { return defaultEffectFrames_; }
  // Straight segments that the motion paths of the slide being built may
  // still take together (about 48 bytes each).
  static const size_t kSlidePathSegments = size_t(1) << 21;
  size_t* PathSegmentsLeft() { return &pathSegmentsLeft_; }
  void ResetPathSegments() { pathSegmentsLeft_ = kSlidePathSegments; }

 private:
  double slideHeight_ = 540.0;
  double slideWidth_ = 720.0;
  uint32_t frameRate_ = 30;
  uint32_t defaultEffectFrames_ = 0;
  size_t pathSegmentsLeft_ = kSlidePathSegments;
};

// What a behaviour node is; selects the effect agent that plays it.
enum EBehaviourKind : uint32_t {
  eBehaviourProperty = 3,
  eBehaviourColor = 4,
  eBehaviourFilter = 5,
  eBehaviourMotion = 6,
  eBehaviourRotation = 7,
  eBehaviourScale = 8,
  eBehaviourCommand = 9,
  eBehaviourSet = 10,
  eBehaviourAudio = 11,
};

// Filter selector of a filter behaviour (key 374).
enum EFilterKind : int32_t {
  eFilterPeekIn = 0,
  eFilterFade = 1,
  eFilterBlinds = 2,
  eFilterBox = 3,
  eFilterDiamond = 4,
  eFilterCircle = 5,
  eFilterSplit = 6,
  eFilterPlus = 7,
  eFilterWipe = 8,
  eFilterCheckerBoard = 9,
  eFilterStrips = 10,
  eFilterNone11 = 11,
  eFilterDissolve = 12,
  eFilterRandomBars = 13,
  eFilterWedge = 14,
  eFilterWheel1 = 15,
  eFilterWheel2 = 16,
  eFilterWheel3 = 17,
  eFilterWheel4 = 18,
  eFilterWheel8 = 19,
};

// A leaf of the timing tree. Its kind is the node's first data member; its
// settings are on the property sheet it offers through interface 28.
class IBehaviourNode : public IInterface {
 public:
  uint32_t kind = 0;  // EBehaviourKind value

  uint32_t GetKind() const { return kind; }
};

// The object a trigger condition names.
struct TriggerTarget {
  std::wstring firstName;
  std::wstring secondName;
  bool useFirstName = false;
};

// When an interactive sequence starts. Event 4: a click on the object that the
// target names (firstName when useFirstName, else secondName). Event 11: media
// firstName reaches bookmark secondName. Effects of one sequence share one
// condition object, so identity tells sequences apart.
struct TriggerCondition {
  Optional<uint32_t> event;
  boost::shared_ptr<TriggerTarget> target;
};

enum ETriggerEvent : uint32_t {
  eTriggerOnClick = 4,
  eTriggerOnBookmark = 11,
};

class IShape : public IInterface {
 public:
  virtual std::wstring GetId() = 0;  // unique on its slide
};

// A sound or video of the slide; answers 28 with its media settings.
class IMedia : public IInterface {
 public:
  virtual std::wstring GetId() = 0;
};

class IAnimationEffect : public IInterface {
 public:
  virtual std::wstring GetTargetId() = 0;
  virtual boost::shared_ptr<TriggerCondition> GetTriggerCondition() = 0;
  virtual uint32_t GetMainBehaviourCount() = 0;
  virtual boost::shared_ptr<IBehaviourNode> GetMainBehaviour(uint32_t index) = 0;
  virtual uint32_t GetSubAnimationCount() = 0;
  virtual boost::shared_ptr<IBehaviourNode> GetSubAnimation(uint32_t index) = 0;
  // Base duration of the effect in ms; 0xFFFFFFFF when indefinite.
  virtual uint32_t GetOwnDuration() = 0;
};

class IEffectList : public IInterface {
 public:
  virtual uint32_t GetEffectCount() = 0;
  virtual boost::shared_ptr<IAnimationEffect> GetEffect(uint32_t index) = 0;
  virtual uint32_t GetSoundCount() = 0;
  virtual boost::shared_ptr<IMedia> GetSound(uint32_t index) = 0;
  virtual boost::shared_ptr<IMedia> FindSound(const std::wstring& id) = 0;
  virtual uint32_t GetVideoCount() = 0;
  virtual boost::shared_ptr<IMedia> GetVideo(uint32_t index) = 0;
  virtual boost::shared_ptr<IMedia> FindVideo(const std::wstring& id) = 0;
};

class ITransition : public IInterface {
 public:
  virtual uint32_t GetDuration() = 0;  // ms
};

class ISlide : public IInterface {
 public:
  virtual boost::shared_ptr<ITransition> GetTransition() = 0;
  virtual uint32_t GetShapeCount() = 0;
  virtual boost::shared_ptr<IShape> GetShape(uint32_t index) = 0;
  virtual int32_t GetSlideKind() = 0;
  // `a` and `b` are host values the animation library passes through unchanged.
  virtual boost::shared_ptr<IEffectList> GetEffectList(int32_t a, int32_t b) = 0;
  virtual void SetLength(uint32_t lengthMs) = 0;
};

// Shape tests of the parser library.
class ParserUtils {
 public:
  static bool IsUnsupportedShape(const boost::shared_ptr<IShape>& shape);
  static bool Is3dShape(const boost::shared_ptr<IShape>& shape, bool& flag);
  static bool IsRasterParagraph(const boost::shared_ptr<IShape>& shape);
  static int NumSmartArtElem(const boost::shared_ptr<IShape>& shape);
  static int NumVisibleParagraphs(const boost::shared_ptr<IShape>& shape);
  static bool HasLine(const boost::shared_ptr<IShape>& shape);
  static bool HasFill(const boost::shared_ptr<IShape>& shape);
  static std::wstring GetShapeText(const boost::shared_ptr<IShape>& shape);
};

// Process-wide settings of the common library.
class ProcessAdmin {
 public:
  static bool UsePowerpoint();
  static void SetUsePowerpoint(bool value);
};
