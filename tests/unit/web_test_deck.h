// Slides published for the web: the manager compiles them, the frame driver
// builds every screen animation against the publisher's screen objects, and
// the tests read the JSON text the manager returns.
#pragma once

#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "agent_slides.h"
#include "behaviours.h"
#include "common/Utf8.h"
#include "document/Effect.h"

namespace web {

using nlohmann::ordered_json;

inline ordered_json Publish(const boost::shared_ptr<platform::Slide>& slide) {
  slides::Played played(slide);
  return ordered_json::parse(platform::ToUtf8(played.manager->GetJsonContent()));
}

// The record ("properties") of the deck's only effect.
inline ordered_json OnlyRecord(const boost::shared_ptr<platform::Slide>& slide) {
  const ordered_json doc = Publish(slide);
  EXPECT_EQ(doc["effects"].size(), 1u) << doc.dump();
  return doc["effects"].empty() ? ordered_json() : doc["effects"][0]["properties"];
}

// The same without its duration and origin.
inline ordered_json OwnKeys(const boost::shared_ptr<platform::Slide>& slide) {
  ordered_json record = OnlyRecord(slide);
  record.erase("duration");
  record.erase("origin");
  return record;
}

// A slide with one box "9" of the given bounds on the 720 x 540 slide of
// the published context, and one effect of `duration` ms on it.
struct BoxSlide {
  BoxSlide(double x, double y, double w, double h, int presetClass = 0, uint32_t duration = 1000)
      : slide(boost::make_shared<platform::Slide>()) {
    slide->AddShape(L"9").SetBounds(x, y, w, h);
    effect = &slide->Effects()->AddEffect(L"9");
    effect->PresetClass(presetClass).NodeType(0).SetOwnDuration(duration);
  }
  boost::shared_ptr<platform::Slide> slide;
  platform::Effect* effect;
};

using behaviours::Entry;
using behaviours::Number;
using behaviours::SetList;
using behaviours::Text;

}  // namespace web
