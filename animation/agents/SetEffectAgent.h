// Sets one attribute of a shape or of its text to a fixed value (behaviour key
// 332) for as long as the agent is active. The attribute kinds are those of
// the property agent (see PropertyEffectAgent.h), with underline (12: "true"
// underlines) added on the text side; kinds 2, 3, 6, 8 and 15 to 19 draw
// nothing, and kind 8 counts as neither shape nor text.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "agents/BaseEffectAgent.h"
#include "agents/PropertyEffectAgent.h"
#include "formula/ExpParser.h"
#include "host/Optional.h"
#include "host/Webdeck.h"

class SetEffectAgent : public BaseEffectAgent {
 public:
  SetEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                 const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  // Key 330 answers the attribute that is set; other keys nothing.
  void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) override;
  // A set has no easing: only the interval is kept.
  void SetTiming(uint32_t start, uint32_t duration) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return shapeLevel_.Get(); }
  // Forgets the initialisation and lets go of the behaviour; the agent then
  // draws nothing.
  void Reset() override;

  // The value for the web player, named kEffectChangeToValue: a number for
  // positions (in slide units), opacity, rotation (in radians), font size
  // and shear, a flag for visibility, italic, bold and underline, the text
  // for a string property. `value` receives the number where there is one.
  void BuildWebValue(boost::shared_ptr<WEBDECK::PptxJSPropertyHolder>& out,
                     const boost::shared_ptr<IScreenObject>& context, double& value);

  bool IsPrepared() const { return prepared_; }
  const attribute::Geometry& GetGeometry() const { return geometry_; }
  const RegParser::VariableMap& Variables() const { return variables_; }

 private:
  void Prepare(const boost::shared_ptr<IScreenObject>& context);
  void ApplyShape(const boost::shared_ptr<IScreenObject>& context);
  void ApplyText(const boost::shared_ptr<IScreenObject>& context);
  // Key 332 read as a formula.
  double NumericValue();
  double FormulaValue(const std::wstring& formula);
  int32_t Attribute() const;

  boost::shared_ptr<RegParser::ExpParser> parser_;
  attribute::Geometry geometry_;
  RegParser::VariableMap variables_;
  int32_t attribute_ = 0;
  // What ApplyShape reads of the behaviour, read once it is prepared.
  Optional<double> numericValue_;
  Optional<bool> visible_;
  bool prepared_ = false;
  Optional<uint32_t> shapeLevel_;
  Optional<double> lastFontSize_;
};
