// Animates the colour of a shape, its fill, its lines or its text through the
// publisher's colour utilities: by hue, saturation and lightness offsets, by
// red, green and blue offsets, or towards a colour.
//
// Attributes (behaviour key 330): 6 the shape and its text, 9 the text, 15
// the fill, 19 the lines; any other draws nothing. Fill and lines are
// animated from the colours the agent gathers from the shape when it first
// draws.
#pragma once

#include <cstdint>
#include <vector>

#include "agents/BaseEffectAgent.h"

class ColorEffectAgent : public BaseEffectAgent {
 public:
  struct Hsl {
    int32_t hue = 0;         // degrees
    int32_t saturation = 0;  // percent
    int32_t lightness = 0;   // percent
  };

  ColorEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                   uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return 1; }

  // Whole degrees and percent, truncated.
  static Hsl RgbToHsl(uint32_t red, uint32_t green, uint32_t blue);
  // Channels truncated and kept within 0..255; alpha passes through.
  static Kinefold::TColor HslToRgb(int32_t hue, int32_t saturation, int32_t lightness,
                                   uint32_t alpha);
  // `colour` with its hue turned forward by (dh mod 360) degrees and its
  // saturation and lightness moved by `ds` and `dl` percentage points, each
  // change scaled by `progress`.
  static Kinefold::TColor ShiftHsl(const Kinefold::TColor& colour, int32_t dh, int32_t ds,
                                   int32_t dl, double progress);

  bool IsColourInitialised() const { return colourInitialised_; }
  int32_t GetAttribute() const { return attribute_; }
  const Kinefold::TColor& FillColour() const { return fillColour_; }
  const std::vector<Kinefold::TColor>& LineColours() const { return lineColours_; }
  const Kinefold::TColor& ToColour() const { return toColour_; }
  bool FillFlag() const { return fillFlag_; }

 private:
  void Initialise(const boost::shared_ptr<IScreenObject>& context);
  void Gather(const boost::shared_ptr<IScreenObject>& object, int depth);
  void ApplyHsl(const boost::shared_ptr<IScreenObject>& context, double p);
  void ApplyRgb(const boost::shared_ptr<IScreenObject>& context, double p);
  void ApplyTowards(const boost::shared_ptr<IScreenObject>& context, double p);
  // Draws `m` on what the attribute names: shape and text, text, fill or lines.
  void Paint(const boost::shared_ptr<IScreenObject>& context, Kinefold::TColorMatrix m,
             bool fillFlag);

  bool colourInitialised_ = false;
  int32_t attribute_ = 0;
  Kinefold::TColor fillColour_{0, 0, 0, 255};
  std::vector<Kinefold::TColor> lineColours_;
  Kinefold::TColor toColour_{0, 0, 0, 255};
  bool fillFlag_ = false;
};
