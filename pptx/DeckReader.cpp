#include "pptx/DeckReader.h"

#include <map>
#include <memory>

#include <boost/make_shared.hpp>

#include "pptx/BackdropReader.h"
#include "pptx/ShapeReader.h"
#include "pptx/SlideContext.h"
#include "pptx/TimingReader.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

// Largest slide side the format allows (51206400 EMU, 56 inches).
const double kMaxSlideEmu = 51206400.0;

class Reader {
 public:
  explicit Reader(Package& package) : package_(package) {}

  Deck Read() {
    Deck deck = Open();
    while (auto slide = Next(deck)) deck.slides.push_back(slide);
    return deck;
  }

  // The deck without its slides; keeps the slide list for Next().
  Deck Open() {
    Deck deck;
    deck.fileName = package_.FileName();
    std::string main = package_.MainPart();
    if (!package_.Has(main))
      throw Fail(main, "the presentation part is missing, so this is not a presentation");
    std::shared_ptr<pugi::xml_document> document = package_.ReadXml(main);
    pugi::xml_node presentation = Child(*document, "presentation");
    if (!presentation)
      throw Fail(main, std::string("not a presentation part (its root element is <") +
                           document->document_element().name() + ">)");
    ReadSlideSize(Child(presentation, "sldSz"), main, deck);
    defaultTextStyle_ = Child(presentation, "defaultTextStyle");

    ids_ = Children(Child(presentation, "sldIdLst"), "sldId");
    if (ids_.size() > package_.Limits().maxSlides)
      throw Fail(main, "the deck has " + std::to_string(ids_.size()) +
                           " slides, more than the limit of " +
                           std::to_string(package_.Limits().maxSlides));
    main_ = main;
    presentation_ = document;
    return deck;
  }

  size_t SlideCount() const { return ids_.size(); }
  void Rewind() { next_ = 0; }

  // The next slide of the list, or null after the last. Its parsed XML is
  // dropped once it is read, so that the slides are not all held at once.
  boost::shared_ptr<platform::Slide> Next(const Deck& deck) {
    if (next_ >= ids_.size()) return nullptr;
    const pugi::xml_node& id = ids_[next_++];
    std::string rid = NsAttr(id, "id").as_string();
    const Relationship* rel = package_.FindRelationship(main_, rid);
    if (!rel || rel->external)
      throw Fail(main_, "the slide list names relationship \"" + rid + "\", which does not exist");
    if (!package_.Has(rel->target))
      throw Fail(main_,
                 "relationship \"" + rid + "\" points to " + rel->target + ", which is missing");
    auto slide = ReadSlide(rel->target, static_cast<int>(next_), deck);
    package_.ForgetXml();
    return slide;
  }

 private:
  ReadError Fail(const std::string& part, const std::string& message) {
    return package_.Diag().Error(package_.FileName(), part, message);
  }

  void ReadSlideSize(const pugi::xml_node& size, const std::string& part, Deck& deck) {
    double cx = 12192000, cy = 6858000;
    if (size) {
      double w = 0, h = 0;
      if (ParseDecimal(size.attribute("cx").as_string(), w) &&
          ParseDecimal(size.attribute("cy").as_string(), h) && w > 0 && h > 0 &&
          w <= kMaxSlideEmu && h <= kMaxSlideEmu) {
        cx = w;
        cy = h;
      } else {
        package_.Diag().Warn("invalid slide size", part + ": " + size.attribute("cx").as_string() +
                                                       " x " + size.attribute("cy").as_string() +
                                                       " EMU; 16:9 is used");
      }
    }
    deck.width = EmuToUnits(cx);
    deck.height = EmuToUnits(cy);
  }

  // The relationship of `type` from `part`, or null with a warning.
  const Relationship* Related(const std::string& part, const std::string& type) {
    const Relationship* rel = package_.FindRelationshipOfType(part, type);
    if (!rel) return nullptr;
    if (rel->external || !package_.Has(rel->target)) {
      package_.Diag().Warn("dangling relationship",
                           part + ": its " + type + " " + rel->target + " is missing");
      return nullptr;
    }
    return rel;
  }

  void FillSource(StyleSource& source, const std::string& part, const char* rootName) {
    source.part = part;
    source.document = package_.ReadXml(part);
    pugi::xml_node root = Child(*source.document, rootName);
    pugi::xml_node cSld = Child(root, "cSld");
    source.placeholders = CollectPlaceholders(Child(cSld, "spTree"));
    source.background = Child(cSld, "bg");
  }

  const MasterInfo* Master(const std::string& part) {
    auto cached = masters_.find(part);
    if (cached != masters_.end()) return cached->second.get();
    auto info = std::make_unique<MasterInfo>();
    FillSource(*info, part, "sldMaster");
    pugi::xml_node root = Child(*info->document, "sldMaster");
    info->colourMap = Child(root, "clrMap");
    pugi::xml_node styles = Child(root, "txStyles");
    info->titleStyle = Child(styles, "titleStyle");
    info->bodyStyle = Child(styles, "bodyStyle");
    info->otherStyle = Child(styles, "otherStyle");
    if (const Relationship* theme = Related(part, "theme")) {
      info->themeDocument = package_.ReadXml(theme->target);
      info->theme = ReadTheme(Child(*info->themeDocument, "theme"));
    }
    return (masters_[part] = std::move(info)).get();
  }

  const LayoutInfo* Layout(const std::string& part) {
    auto cached = layouts_.find(part);
    if (cached != layouts_.end()) return cached->second.get();
    auto info = std::make_unique<LayoutInfo>();
    FillSource(*info, part, "sldLayout");
    pugi::xml_node root = Child(*info->document, "sldLayout");
    info->colourMap = Path(root, {"clrMapOvr", "overrideClrMapping"});
    if (const Relationship* master = Related(part, "slideMaster"))
      info->master = Master(master->target);
    return (layouts_[part] = std::move(info)).get();
  }

  void ReadBackground(SlideContext& ctx, pugi::xml_node bg) {
    if (!bg) return;
    Kinefold::TColor colour;
    if (pugi::xml_node props = Child(bg, "bgPr")) {
      if (pugi::xml_node solid = Child(props, "solidFill")) {
        if (ctx.colours.ResolveChild(solid, colour)) ctx.slide.background = colour;
      } else if (pugi::xml_node grad = Child(props, "gradFill")) {
        if (ctx.colours.ResolveChild(Path(grad, {"gsLst", "gs"}), colour))
          ctx.slide.background = colour;
      }
    } else if (pugi::xml_node ref = Child(bg, "bgRef")) {
      if (ctx.colours.ResolveChild(ref, colour)) ctx.slide.background = colour;
    }
  }

  void ReadTransition(SlideContext& ctx, const pugi::xml_node& transition) {
    if (!transition) return;
    if (pugi::xml_node sound = Child(transition, "sndAc")) {
      platform::Slide::TransitionSound& action = ctx.slide.transitionSound;
      action.stopsSounds = static_cast<bool>(Child(sound, "endSnd"));
      if (pugi::xml_node start = Child(sound, "stSnd")) {
        bool loops = false;
        action.loops = ParseBoolean(start.attribute("loop").as_string(), loops) && loops;
        const std::string id = NsAttr(Child(start, "snd"), "embed").as_string();
        const Relationship* rel = package_.FindRelationship(ctx.part, id);
        if (rel && !rel->external)
          action.partName = rel->target;
        else if (!id.empty())
          ctx.Diag().Warn("dangling relationship", ctx.part + ": transition sound " + id);
      }
    }
    bool hasEffect = false;
    for (pugi::xml_node child : Elements(transition))
      if (!Is(child, "sndAc") && !Is(child, "extLst")) hasEffect = true;
    if (!hasEffect) return;
    uint32_t duration = 500;  // "fast", the default speed
    std::string speed = transition.attribute("spd").as_string();
    if (speed == "med") duration = 750;
    if (speed == "slow") duration = 1000;
    if (pugi::xml_attribute dur = NsAttr(transition, "dur")) {
      uint32_t value = 0;
      if (ParseTime(dur.as_string(), value) && value != kIndefinite)
        duration = value;
      else
        ctx.Diag().Warn("invalid time value", ctx.part + ": transition duration");
    }
    ctx.slide.SetTransition(duration);
  }

  boost::shared_ptr<platform::Slide> ReadSlide(const std::string& part, int number,
                                               const Deck& deck) {
    auto slide = boost::make_shared<platform::Slide>();
    slide->width = deck.width;
    slide->height = deck.height;
    slide->number = number;
    slide->partName = part;
    std::shared_ptr<pugi::xml_document> document = package_.ReadXml(part);
    pugi::xml_node root = Child(*document, "sld");
    if (!root)
      throw Fail(part, std::string("not a slide part (its root element is <") +
                           document->document_element().name() + ">)");
    bool shown = true;
    slide->hidden = ParseBoolean(root.attribute("show").as_string(), shown) && !shown;

    SlideContext ctx(package_, *slide);
    ctx.part = part;
    ctx.defaultTextStyle = defaultTextStyle_;
    if (const Relationship* layout = Related(part, "slideLayout")) {
      ctx.layout = Layout(layout->target);
      ctx.master = ctx.layout->master;
    }
    ctx.colours = ColourContext(ctx.master ? &ctx.master->theme : &defaultTheme_, &package_.Diag());
    if (ctx.master) ctx.colours.SetMap(ctx.master->colourMap);
    if (ctx.layout) ctx.colours.SetMap(ctx.layout->colourMap);
    ctx.colours.SetMap(Path(root, {"clrMapOvr", "overrideClrMapping"}));

    pugi::xml_node cSld = Child(root, "cSld");
    if (ctx.master) ReadBackground(ctx, ctx.master->background);
    if (ctx.layout) ReadBackground(ctx, ctx.layout->background);
    ReadBackground(ctx, Child(cSld, "bg"));
    ReadBackdrop(ctx, root);

    ReadShapeTree(ctx, Child(cSld, "spTree"));
    if (pugi::xml_node timing = Child(root, "timing")) ReadTiming(ctx, timing);
    AddMediaObjects(ctx);
    ReadTransition(ctx, Child(root, "transition"));
    return slide;
  }

  Package& package_;
  std::string main_;
  std::shared_ptr<pugi::xml_document> presentation_;  // the slide list and default style
  std::vector<pugi::xml_node> ids_;
  size_t next_ = 0;
  pugi::xml_node defaultTextStyle_;
  Theme defaultTheme_;
  std::map<std::string, std::unique_ptr<MasterInfo>> masters_;
  std::map<std::string, std::unique_ptr<LayoutInfo>> layouts_;
};

}  // namespace

Deck ReadDeck(const std::string& path, Diagnostics& diagnostics, const ReadLimits& limits) {
  Package package(path, diagnostics, limits);
  return Reader(package).Read();
}

struct DeckReader::State {
  State(const std::string& path, Diagnostics& diagnostics, const ReadLimits& limits)
      : package(path, diagnostics, limits), reader(package), deck(reader.Open()) {}
  Package package;
  Reader reader;
  Deck deck;
};

DeckReader::DeckReader(const std::string& path, Diagnostics& diagnostics, const ReadLimits& limits)
    : state_(std::make_unique<State>(path, diagnostics, limits)) {}

DeckReader::~DeckReader() = default;

const Deck& DeckReader::Info() const {
  return state_->deck;
}

size_t DeckReader::SlideCount() const {
  return state_->reader.SlideCount();
}

boost::shared_ptr<platform::Slide> DeckReader::Next() {
  return state_->reader.Next(state_->deck);
}

void DeckReader::Rewind() {
  state_->reader.Rewind();
}

Deck ReadDeckFromMemory(const std::string& name, std::string bytes, Diagnostics& diagnostics,
                        const ReadLimits& limits) {
  Package package(name, std::move(bytes), diagnostics, limits);
  return Reader(package).Read();
}

}  // namespace pptx
