// Root of every interface that crosses between the animation library and its host.
// Capabilities are discovered by asking for an interface id, never by casting.
#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

enum EInterfaceId : int32_t {
  eIidTextRun = 4,
  eIidChildList = 8,
  eIidScreenShape9 = 9,
  eIidShapeTarget = 10,
  eIidMaskContainer = 11,
  eIidCompoundShape = 12,
  eIidShapeKind16 = 16,
  eIidTextBody17 = 17,
  eIidTextBody19 = 19,
  eIidRunGroup = 20,
  eIidRunItem = 21,
  eIidShapeKind22 = 22,
  eIidShapeKind25 = 25,
  eIidSingleTarget = 26,
  eIidPropertySheet = 28,
  eIidPropertyValue = 29,
  eIidDocumentShape39 = 39,
  eIidCircleShape = 40,
  eIidRectangleShape = 41,
  eIidLineShape = 42,
  eIidPolygonShape = 43,
  eIidEllipseShape = 45,
  eIidItemList48 = 48,
  eIidGroupShape = 48,
  eIidShape49 = 49,
  eIidMediaScreenObject = 52,
  eIidMorphShape = 53,
  eIidAnimationManager = 59,
  eIidShapeKind61 = 61,
  eIidParagraphList = 63,
  eIidSeparable = 66,
  eIidEffectAgent = 68,
  eIidPersistentAgent = 69,
  eIidPersistentAgent70 = 70,
  eIidRepeatAgent = 71,
  eIidBaseEffectAgent = 72,
  eIidContainerAgent = 73,
  eIidFilterAgent = 74,
  eIidSetAgent = 75,
  eIidMotionAgent = 76,
  eIidPropertyAgent = 77,
  eIidScaleAgent = 78,
  eIidScreenAnimation = 79,
  eIidAudioAgent = 82,
  eIidVideoAnimation = 83,
  eIidVideoPlayer = 93,
};

class IInterface {
 public:
  // Answers whether the object offers the interface `id`. With a non-null `out`
  // it stores a pointer to that interface and sets `sharesOwner`: the stored
  // pointer owns nothing, and the caller re-seats it on the reference count of
  // the pointer it asked through (see QueryAs). With a null `out` it only answers.
  virtual bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                              EInterfaceId id) = 0;
  virtual ~IInterface() {}
};

// What an implementation of QueryInterface stores for a capability it offers:
// a non-owning pointer to the interface sub-object `self`. It has no
// reference count of its own (an empty owner), so a query allocates nothing.
template <class T>
inline bool AnswerInterface(T* self, boost::shared_ptr<IInterface>* out, bool* sharesOwner) {
  if (out) {
    *out = boost::shared_ptr<IInterface>(boost::shared_ptr<IInterface>(),
                                         static_cast<IInterface*>(self));
    if (sharesOwner) *sharesOwner = true;
  }
  return true;
}

// Asks `object` for interface `id` and returns it typed as T, sharing the
// reference count of `object` so that the interface keeps the whole object
// alive. T must be the interface type that the id stands for.
template <class T, class U>
inline boost::shared_ptr<T> QueryAs(const boost::shared_ptr<U>& object, EInterfaceId id) {
  if (!object) return boost::shared_ptr<T>();
  boost::shared_ptr<IInterface> raw;
  bool sharesOwner = false;
  IInterface* asker = object.get();
  if (!asker->QueryInterface(&raw, &sharesOwner, id) || !raw) return boost::shared_ptr<T>();
  T* typed = static_cast<T*>(raw.get());
  if (sharesOwner) return boost::shared_ptr<T>(object, typed);
  return boost::shared_ptr<T>(raw, typed);
}

// True when `object` offers interface `id` (a query with a null out pointer).
template <class U>
inline bool Supports(const boost::shared_ptr<U>& object, EInterfaceId id) {
  if (!object) return false;
  bool sharesOwner = false;
  IInterface* asker = object.get();
  return asker->QueryInterface(nullptr, &sharesOwner, id);
}
