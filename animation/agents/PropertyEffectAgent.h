// Animates one attribute of a shape (position, size, opacity, rotation,
// visibility, fill colour, shear) or of its text (italic, bold, a string
// property, font size) along a list of time and value points or from a from,
// to and by triple, optionally through formulas.
//
// Attribute kinds (behaviour key 330):
//    0  x of the centre, fraction of the slide width     10  italic ("italic" sets it)
//    1  y of the centre, fraction of the slide height    11  bold ("normal" clears, "bold" sets)
//    2  width, fraction of the slide width               12  nothing
//    3  height, fraction of the slide height             13  string character property (96)
//    4  opacity, 0 to 1                                  14  font size, factor of the run's own
//    5  rotation in degrees about the centre             15 to 19  nothing
//    6, 8  nothing                                       20  horizontal shear about the centre
//    7  visibility ("visible" shows, anything hides)     21 and above  nothing
//    9  fill colour
// Kinds 0 to 9 and 15 to 20 act on the shape as a whole, 10 to 14 on the
// character runs of a text element.
#pragma once

#include <functional>
#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include "agents/BaseEffectAgent.h"
#include "formula/ExpParser.h"
#include "host/Optional.h"
#include "host/Webdeck.h"

// What the property and set agents share: the geometry they take from their
// target when first drawn, the formula variables made from it, and the ways
// they reach the target's colour transforms and character runs.
namespace attribute {

struct Geometry {
  double cx = 0.0, cy = 0.0;            // centre of the untransformed bounds
  double w = 0.0, h = 0.0;              // size of the untransformed bounds
  double mappedX = 0.0, mappedY = 0.0;  // the centre through the frame's transform
  double mappedW = 0.0, mappedH = 0.0;  // the size vector through its linear part
  double slideWidth = 0.0, slideHeight = 0.0;
  // cx / slideWidth, cy / slideHeight, h / slideHeight, w / slideWidth; all 0
  // when the slide has no extent.
  double fractions[4] = {0.0, 0.0, 0.0, 0.0};

  // Takes the centre, size and slide extent from an initialised agent and
  // maps them through the context's current transform.
  void Take(const BaseEffectAgent& agent, const boost::shared_ptr<IScreenObject>& context);
  // The variables a formula reads: the fractions as "#ppt_x", "#ppt_y",
  // "#ppt_h" and "#ppt_w", the mapped centre and size as "ppt_x", "ppt_y",
  // "ppt_w" and "ppt_h" (0 on a slide without extent).
  void FillVariables(RegParser::VariableMap& variables) const;
};

// a ÷ b, or 0 when b is 0.
double Fraction(double a, double b);

// True for a text element (interface 4): character agents draw there only.
bool IsText(const boost::shared_ptr<IScreenObject>& context);

// Sets the alpha multiplier of the object and of all its parts to 1.
void Show(const boost::shared_ptr<IScreenObject>& object);
// Sets the alpha multiplier of every leaf part under the object to 0.
void Hide(const boost::shared_ptr<IScreenObject>& object);
// Replaces the linear part of the transform by a shear x -> x + factor * (y - cy)
// about the line y = cy, keeping the translation.
void Shear(double* m, double factor, double cy);

// Visits the character runs of a text element: the runs of each paragraph of
// a text (19), the runs of a paragraph (20), or the element itself when it is
// a run (21).
void ForEachTextRun(const boost::shared_ptr<IScreenObject>& context,
                    const std::function<void(const boost::shared_ptr<IScreenObject>&)>& visit);
// Visits the current character properties (75) of the runs that text
// attributes may change (run kind 146 reads 0).
void ForEachCharProps(const boost::shared_ptr<IScreenObject>& context,
                      const std::function<void(const boost::shared_ptr<IScreenObject>& run,
                                               const boost::shared_ptr<IInterface>& props)>& visit);
// Clears the changed flag (89) of every run's current character properties.
void ClearChangedFlags(const boost::shared_ptr<IScreenObject>& context);
// Writes a font size of `factor` times each run's authored size, setting the
// changed flag where the size differs from the last one written.
void WriteFontSize(const boost::shared_ptr<IScreenObject>& context, double factor,
                   Optional<double>& lastFontSize);

}  // namespace attribute

class PropertyEffectAgent : public BaseEffectAgent {
 public:
  PropertyEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                      const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                      uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  // Key 330 answers the animated attribute; other keys nothing.
  void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return shapeLevel_.Get(); }
  // Forgets the initialisation and lets go of the behaviour; the agent then
  // draws nothing and its values read 0.
  void Reset() override;
  // A fill colour animation gives the shape its own colours back before the
  // end state is drawn again.
  bool OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;

  virtual void ApplyShapeAttribute(const boost::shared_ptr<IScreenObject>& context, uint32_t t);
  virtual void ApplyTextAttribute(const boost::shared_ptr<IScreenObject>& context, uint32_t t);

  // The numeric value at local time u (ms from the agent's start), and the
  // value in force at u of a string or colour attribute (the last list entry
  // not after u; "" or opaque black before the first).
  double ValueAt(uint32_t u);
  std::wstring StringAt(uint32_t u);
  Kinefold::TColor ColourAt(uint32_t u);

  // One token of a formula as the web output scans it.
  struct Node {
    enum Kind { kFunction, kNumber, kName, kOperator, kOpen, kClose, kComma };
    Kind kind = kName;
    int32_t code = 0;    // a function's token code, or an operator's character
    float value = 0.0f;  // a number's value
  };

  // The animation as the web player plays it, into `out` (named
  // kEffectAnimationValues): time (percent) and value pairs in slide units
  // (for positions), in size factors (for width and height) or as they stand,
  // with list entries whose formula has a known shape written as formula
  // records (see EncodeFormulaShape). The shape's centre comes from
  // `positionCache` when an earlier property animation of the shape was
  // described (`earlier`) and this one does not restart from the authored
  // state; the cache then holds where this animation leaves the shape.
  // Attribute 8 gives no values.
  void BuildWebValues(boost::shared_ptr<WEBDECK::PptxJSArrHolder>& out,
                      const boost::shared_ptr<IScreenObject>& context, double (&positionCache)[2],
                      bool earlier);
  // Appends to `array` the record of a formula of one of the known shapes:
  // time, "for", the shape number, `scale`, one code per function (sin 0,
  // cos 1, tan 2, min 3, max 4, abs 5) and one number per constant. A
  // number that follows an operator that follows a number is folded into
  // that number as the text is read, left to right, unless the operator is
  // the text's second token. The shape is the text's operators and brackets
  // in order. False, and nothing appended, for any other formula.
  bool EncodeFormulaShape(const std::wstring& formula,
                          const boost::shared_ptr<WEBDECK::PptxJSArrHolder>& array, double time,
                          double scale);
  // 0, or 7 once BuildWebValues has written a formula record.
  int32_t GetWebEffectType() const { return webEffectType_; }

  bool IsPrepared() const { return prepared_; }
  bool IsTextPrepared() const { return textPrepared_; }
  const attribute::Geometry& GetGeometry() const { return geometry_; }
  const RegParser::VariableMap& Variables() const { return variables_; }
  // Formula signatures the web output recognises, by their shape number.
  const std::map<std::wstring, int32_t>& FormulaShapes() const { return formulaShapes_; }

 private:
  struct Profile {
    Optional<double> accelRate, decelRate, accelTime, decelTime;
  };

  // Once per agent for a shape context; a text context only notes that it was seen.
  void Prepare(const boost::shared_ptr<IScreenObject>& context);
  // u through the agent's own easing, in whole ms.
  uint32_t EasedTime(uint32_t u);
  double FormulaValue(const std::wstring& formula);
  // The value of a tree this agent's parser made, with the agent's variables.
  double TreeValue(const boost::shared_ptr<RegParser::Node>& tree);
  double ListValue(const PropertySheetList& list, uint32_t e);
  double FromToByValue(uint32_t e);
  // The behaviour's from and to values. Without a from key, x, y, width and
  // height start at `start` (fractions of the slide), the font size at 1 and
  // the rest at 0; without a to key, to is from plus by, or 1.
  void FromAndTo(int32_t kind, const double (&start)[4], double& from, double& to);
  // What ListValue reads of each entry, read once, its formulas parsed once:
  // the document's entries do not change while frames are made.
  struct ListEntry {
    const IPropertySheet* sheet = nullptr;
    double time = 0.0;  // percent of the duration
    bool formulaValue = false;
    std::wstring text;  // the value, when it is a formula
    double number = 0.0;
    std::wstring formula;  // applied to the interpolated value
    boost::shared_ptr<RegParser::Node> textTree, formulaTree;
  };
  const std::vector<ListEntry>& ListEntries(const PropertySheetList& list);
  double ListEntryValue(const ListEntry& entry);
  boost::shared_ptr<IPropertyValue> DiscreteValueAt(uint32_t u);
  int32_t Attribute() const;

  boost::shared_ptr<RegParser::ExpParser> parser_;
  attribute::Geometry geometry_;
  double ownAccel_;
  double ownDecel_;
  Profile ownProfile_;
  RegParser::VariableMap variables_;
  int32_t attribute_ = 0;
  // The behaviour's time-value list, read once.
  Optional<bool> listRead_;
  boost::shared_ptr<PropertySheetList> list_;
  // Whether the parser holds variables_ as it is: cleared wherever the map is
  // filled anew.
  bool variablesGiven_ = false;
  bool prepared_ = false;
  bool textPrepared_ = false;
  std::vector<ListEntry> listEntries_;
  Optional<uint32_t> shapeLevel_;
  Optional<double> lastFontSize_;
  std::map<std::wstring, int32_t> formulaShapes_;
  int32_t webEffectType_ = 0;
};
