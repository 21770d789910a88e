// Writes the web player's description of one effect while the effect's
// timing is translated for a target: one record per effect with the effect's
// timing and the centre of the target, one part per behaviour, and the
// record of the effect's sound. An effect with more than one shape-side
// behaviour gets a record of type 5 whose parts are listed under
// kEffectSubList; otherwise the behaviour's keys go into the record itself.
// All the state lives in the screen animation; the writer only reads and
// updates it, so one may be made for each call.
#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "host/Document.h"
#include "host/Webdeck.h"

class EffectAgent;
class ScreenAnimation;

class WebRecordWriter {
 public:
  explicit WebRecordWriter(ScreenAnimation& owner) : owner_(owner) {}

  // Opens the effect's record for the current target; nothing without one,
  // or without a web manager to hand the record to.
  void WriteEffectRecord();
  // The part of one main behaviour or sub-animation, of `duration` ms.
  void WriteBehaviourRecord(const boost::shared_ptr<IBehaviourNode>& behaviour, uint32_t duration);
  // The effect's sound, also listed with the web manager under its name.
  void WriteSoundRecord(const boost::shared_ptr<EffectAgent>& audio);
  // Closes the record and hands it to the web manager; later translations of
  // the same build write no record.
  void FinishEffectRecord();

  // What a property, set or colour behaviour animates, by its attribute
  // kind (key 330): the web player's variable code, -1 for none.
  static int32_t VariableType(int32_t attribute);
  // The web player's effect type of a filter kind (key 374); -1 for none.
  static int32_t FilterEffectType(int32_t filterKind);

 private:
  // Behaviours of the effect that act on the shape as a whole, sounds
  // included; more than one makes a record with parts.
  size_t ShapeSideCount() const;
  boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder> Record() const;

  void WritePropertyKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                         const boost::shared_ptr<IInterface>& behaviour);
  void WriteColourKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                       const boost::shared_ptr<IInterface>& behaviour);
  void WriteFilterKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                       const boost::shared_ptr<IInterface>& behaviour);
  void WriteMotionKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                       const boost::shared_ptr<IInterface>& behaviour);
  void WriteRotationKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                         const boost::shared_ptr<IInterface>& behaviour);
  void WriteScaleKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                      const boost::shared_ptr<IInterface>& behaviour);
  void WriteSetKeys(WEBDECK::PptxHTMLObjPropHolder& part,
                    const boost::shared_ptr<IInterface>& behaviour);

  ScreenAnimation& owner_;
};
