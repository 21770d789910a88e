// Writes small .pptx decks: a minimal package (presentation, one master and
// layout, a theme) around slides given as XML fragments. The tests build one
// deck per feature with it, and examples/make_demo_deck.cpp the demo deck.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pptx {

class DeckWriter {
 public:
  struct Slide {
    std::string shapes;      // p:sp, p:pic, p:grpSp ... elements of the shape tree
    std::string timing;      // a p:timing element, or empty
    std::string transition;  // a p:transition element, or empty
    bool hidden = false;
    // Relationships of the slide part beyond its layout: id, type (the last
    // segment of the type URI: "image", "audio", "video", "media"), target
    // relative to ppt/slides/, external.
    struct Rel {
      std::string id, type, target;
      bool external = false;
    };
    std::vector<Rel> relationships;
  };

  // Slide size in slide units (1/96 inch); 1280 x 720 is 16:9.
  explicit DeckWriter(double width = 1280, double height = 720);

  Slide& AddSlide();
  // Adds a part such as "ppt/media/image1.png" with its content type.
  void AddPart(const std::string& name, const std::string& bytes, const std::string& contentType);
  // Replaces a generated part by these bytes, or removes it (for bad-input tests).
  void ReplacePart(const std::string& name, const std::string& bytes);
  void RemovePart(const std::string& name);

  // The package as zip bytes, and written to a file (false on failure).
  std::string Bytes() const;
  bool Save(const std::string& path) const;

 private:
  std::map<std::string, std::string> Parts() const;

  double width_, height_;
  std::vector<Slide> slides_;
  std::vector<std::pair<std::string, std::string>> extraParts_;  // name, bytes
  std::map<std::string, std::string> extraTypes_;                // name -> content type
  std::map<std::string, std::string> replaced_;
  std::vector<std::string> removed_;
};

// XML fragments for slides. Positions and sizes are in slide units.
namespace xml {

// Escapes text for XML content and attributes.
std::string Escape(const std::string& text);

struct Run {
  std::string text;
  std::string attrs;   // extra a:rPr attributes, e.g. b="1" sz="2400"
  std::string colour;  // RRGGBB, or empty
};
struct Para {
  std::vector<Run> runs;
  int level = 0;
  std::string pPr;  // extra a:pPr attributes or children: written as <a:pPr lvl=".." {pPr}/>
};
Para P(const std::string& text);

// A text body from paragraphs.
std::string TextBody(const std::vector<Para>& paragraphs, const std::string& bodyPr = "");
// An a:xfrm.
std::string Xfrm(double x, double y, double w, double h, double rotation = 0);
// A shape with preset geometry, optional solid fill and line colour (RRGGBB), and text.
std::string Shape(int id, const std::string& name, double x, double y, double w, double h,
                  const std::string& fill = "", const std::string& line = "",
                  const std::vector<Para>& text = {}, const std::string& geometry = "rect");
// A placeholder shape (type "title", "body", ... ; idx < 0 for none) without its own frame.
std::string Placeholder(int id, const std::string& name, const std::string& type, int idx,
                        const std::vector<Para>& text);
// A picture whose blip is relationship `rid`.
std::string Picture(int id, const std::string& name, double x, double y, double w, double h,
                    const std::string& rid);
// An audio or video shape: media relationship `mediaRid` (r:link for the file
// element, r:embed for the newer media element), poster picture `posterRid`,
// trims and bookmarks (name, ms) in the media element.
std::string Media(int id, const std::string& name, bool video, double x, double y, double w,
                  double h, const std::string& mediaRid, const std::string& posterRid,
                  double trimStartMs = 0, double trimEndMs = 0,
                  const std::vector<std::pair<std::string, double>>& bookmarks = {});
// A group with its child frame; members are shape XML in child coordinates.
std::string Group(int id, const std::string& name, double x, double y, double w, double h,
                  double childX, double childY, double childW, double childH,
                  const std::string& members, double rotation = 0);
std::string Connector(int id, const std::string& name, double x, double y, double w, double h,
                      const std::string& line);
std::string Table(int id, const std::string& name, double x, double y, double w, double h);

// Behaviour targets.
std::string ShapeTarget(int spid);
std::string ParagraphTarget(int spid, int first, int last);
std::string BackgroundTarget(int spid);

// Behaviours; cTn ids are written as id="#" and numbered by Timing(). Like
// presentation programs, they hold their end state (fill="hold"), filters
// excepted.
std::string Set(const std::string& target, const std::string& attribute, const std::string& value,
                uint32_t delay = 0, uint32_t duration = 1);
std::string Filter(const std::string& target, const std::string& filter, bool in,
                   uint32_t duration);
std::string Anim(const std::string& target, const std::string& attribute, uint32_t duration,
                 const std::string& attrs, const std::string& tavs = "",
                 const std::string& cTnAttrs = "");
std::string Tav(const std::string& tm, const std::string& value, const std::string& fmla = "");
std::string Motion(const std::string& target, const std::string& path, uint32_t duration,
                   const std::string& attrs = "");
std::string Rotate(const std::string& target, long long by, uint32_t duration);
std::string Scale(const std::string& target, double byX, double byY, uint32_t duration);
std::string Colour(const std::string& target, const std::string& attribute,
                   const std::string& toRgb, uint32_t duration);
std::string PlayMedia(int spid, uint32_t duration, double fromSeconds = 0);
// A sound that starts with its effect, for the effect's sub-animations: the
// sound relationship `rId` and its file name; `volume` in thousandths of a
// percent, 0 to leave it out.
std::string EffectSound(const std::string& rId, const std::string& name, int volume = 0);

struct Effect {
  std::string presetClass = "entr";
  int presetId = 1;
  int presetSubtype = 0;
  std::string nodeType = "clickEffect";
  uint32_t delay = 0;
  int groupId = 0;
  std::string behaviours;  // behaviour XML
  std::string attrs;       // extra cTn attributes (repeatCount, autoRev, accel ...)
  std::string iterate;     // a p:iterate element
  std::string subTnLst;    // sub-animation behaviours
  uint32_t length = 0;     // for the grouping containers' delays
};

struct Sequence {
  std::string triggerCondition;  // a p:cond for an interactive sequence; empty: main
  std::vector<Effect> effects;
};

// Click trigger and bookmark trigger conditions.
std::string ClickCondition(int spid);
std::string BookmarkCondition(int spid, const std::string& bookmark);

// The whole p:timing: the sequences (the one without a trigger is the main
// one), the build list and media nodes (placed under the root).
std::string Timing(const std::vector<Sequence>& sequences, const std::string& buildList = "",
                   const std::string& mediaNodes = "");
std::string BuildParagraph(int spid, int groupId, const std::string& build, bool animBg = false);
std::string MediaNode(int spid, bool video, int volume = 100000, const std::string& repeat = "");

}  // namespace xml

}  // namespace pptx
