// The HTML support library's JSON holders and key names, and the HTML
// converter library's per-slide animation content and click timeline.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

namespace WEBDECK {

extern const char* const kEffectType;
extern const char* const kEffectVariableType;
extern const char* const kEffectAnimationValues;
extern const char* const kEffectDuration;
extern const char* const kEffectDelay;
extern const char* const kEffectRepeat;
extern const char* const kEffectAutoReverse;
extern const char* const kEffectAccelerateTime;
extern const char* const kEffectDecelerateTime;
extern const char* const kEffectRewindWhenDone;
extern const char* const kEffectPlayTillNextClick;
extern const char* const kEffectPlayTillSlideEnd;
extern const char* const kEffectSubList;
extern const char* const kInitialPosition;
extern const char* const kIsSubAnimOnNextClick;
extern const char* const kIsAudioInSubAnim;
extern const char* const kPptxSlideSoundName;
extern const char* const kEffectChangeValue;
extern const char* const kEffectChangeToValue;
extern const char* const kEffectDirection;
extern const char* const kEffectPresetClass;
extern const char* const kWheelEffectNumSpokes;
extern const char* const kMotionPathReverseDir;

// Serialisation target, defined by the HTML support library.
struct JsonNode;

// Base of every holder: a named JSON value.
class PptxJSPropertyHolder {
 public:
  explicit PptxJSPropertyHolder(const std::string& name);
  virtual ~PptxJSPropertyHolder();
  const std::string& GetName() const { return name_; }
  virtual void Serialize(JsonNode& out) const = 0;

 private:
  std::string name_;
};

class PptxJSIntPropertyHolder : public PptxJSPropertyHolder {
 public:
  PptxJSIntPropertyHolder(const std::string& name, int32_t value);
  int32_t GetValue() const { return value_; }
  void Serialize(JsonNode& out) const override;

 private:
  int32_t value_;
};

// Precision -1 writes the float as it is; n >= 0 rounds to n decimals.
class PptxJSFloatPropertyHolder : public PptxJSPropertyHolder {
 public:
  PptxJSFloatPropertyHolder(const std::string& name, float value, int32_t precision);
  float GetValue() const { return value_; }
  void Serialize(JsonNode& out) const override;

 private:
  float value_;
  int32_t precision_;
};

class PptxJSBoolPropertyHolder : public PptxJSPropertyHolder {
 public:
  PptxJSBoolPropertyHolder(const std::string& name, bool value);
  bool GetValue() const { return value_; }
  void Serialize(JsonNode& out) const override;

 private:
  bool value_;
};

class PptxJSStringPropertyHolder : public PptxJSPropertyHolder {
 public:
  PptxJSStringPropertyHolder(const std::string& name, const std::wstring& value);
  const std::wstring& GetValue() const { return value_; }
  void Serialize(JsonNode& out) const override;

 private:
  std::wstring value_;
};

// A JSON array of holders (their names are not written).
class PptxJSArrHolder : public PptxJSPropertyHolder {
 public:
  explicit PptxJSArrHolder(const std::string& name);
  void AddObject(const boost::shared_ptr<PptxJSPropertyHolder>& item);
  size_t GetCount() const { return items_.size(); }
  const boost::shared_ptr<PptxJSPropertyHolder>& GetItem(size_t i) const { return items_.at(i); }
  void Serialize(JsonNode& out) const override;

 private:
  std::vector<boost::shared_ptr<PptxJSPropertyHolder>> items_;
};

// A JSON object; entries keep the order they were added in. A key added twice
// keeps its first place and takes the last value.
class PptxHTMLObjPropHolder : public PptxJSPropertyHolder {
 public:
  explicit PptxHTMLObjPropHolder(const std::string& name);
  void AddIntProperty(const std::string& name, int32_t value);
  void AddFloatProperty(const std::string& name, float value, int32_t precision);
  void AddBoolProperty(const std::string& name, bool value);
  void AddStrProperty(const std::string& name, const std::wstring& value);
  void AddIntArrProperty(const std::string& name, const std::vector<int32_t>& values);
  void AddFloatArrProperty(const std::string& name, const std::vector<float>& values);
  // Adds `holder` under `name`, or under the holder's own name when `name` is empty.
  void AddPptxJSPropertyHolder(const std::string& name,
                               const boost::shared_ptr<PptxJSPropertyHolder>& holder);

  size_t GetCount() const { return entries_.size(); }
  const std::pair<std::string, boost::shared_ptr<PptxJSPropertyHolder>>& GetEntry(size_t i) const {
    return entries_.at(i);
  }
  // The holder last added under `key`, or null.
  boost::shared_ptr<PptxJSPropertyHolder> Find(const std::string& key) const;
  void Serialize(JsonNode& out) const override;

 private:
  std::vector<std::pair<std::string, boost::shared_ptr<PptxJSPropertyHolder>>> entries_;
};

// A JSON array of objects.
class PptxJSObjectArrHolder : public PptxJSPropertyHolder {
 public:
  explicit PptxJSObjectArrHolder(const std::string& name);
  void AddObject(const boost::shared_ptr<PptxHTMLObjPropHolder>& item);
  size_t GetCount() const { return items_.size(); }
  const boost::shared_ptr<PptxHTMLObjPropHolder>& GetItem(size_t i) const { return items_.at(i); }
  void Serialize(JsonNode& out) const override;

 private:
  std::vector<boost::shared_ptr<PptxHTMLObjPropHolder>> items_;
};

}  // namespace WEBDECK

// One effect record of the web output.
class WebdeckAnimationContent {
 public:
  WebdeckAnimationContent(const std::wstring& targetName, const std::wstring& effectId);
  boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder> GetHTMLObj() const { return object_; }
  const std::wstring& GetTargetName() const { return targetName_; }
  const std::wstring& GetEffectId() const { return effectId_; }

  int32_t presetClass = 0;

 private:
  std::wstring targetName_;
  std::wstring effectId_;
  boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder> object_;
};

// The animations that play after one click, from `start` (ms).
class ClickContent {
 public:
  explicit ClickContent(uint32_t start);
  void AddAnimToClick(const std::wstring& animationId);
  uint32_t GetStartTime() const { return start_; }
  const std::vector<std::wstring>& GetAnimations() const { return animations_; }

 private:
  uint32_t start_;
  std::vector<std::wstring> animations_;
};

// The click contents of the slide's main sequence (empty shape id) or of one
// trigger object's sequence.
class TimeLineAnim {
 public:
  TimeLineAnim();
  void SetShapeId(const std::wstring& id);
  const std::wstring& GetShapeId() const { return shapeId_; }
  void AddClickEffect(const boost::shared_ptr<ClickContent>& click);
  uint32_t NumClickEffect() const;
  // Removes and returns the last click content; null when there is none.
  boost::shared_ptr<ClickContent> PopClickEffect();
  const std::vector<boost::shared_ptr<ClickContent>>& GetClicks() const { return clicks_; }

 private:
  std::wstring shapeId_;
  std::vector<boost::shared_ptr<ClickContent>> clicks_;
};

// Collects the effect records, sound objects and timelines of the deck being
// published and turns them into JSON text.
class WebdeckAnimationManager {
 public:
  WebdeckAnimationManager();

  void AddAnimContent(const boost::shared_ptr<WebdeckAnimationContent>& content);
  void AddAnimObjToList(const std::wstring& soundName,
                        const boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder>& object);
  // Returns a number not returned before by this manager (0, 1, 2, ...).
  uint32_t GetUniqueAnimCount();

  uint32_t GetLastAnimTime() const { return lastAnimTime_; }
  void SetLastAnimTime(uint32_t t) { lastAnimTime_ = t; }
  uint32_t GetLastAnimTimeSeq() const { return lastAnimTimeSeq_; }
  void SetLastAnimTimeSeq(uint32_t t) { lastAnimTimeSeq_ = t; }

  // Adds a timeline, replacing one with the same shape id; adding the same
  // timeline again changes nothing.
  void AddTimeLineAnim(const boost::shared_ptr<TimeLineAnim>& timeline);
  boost::shared_ptr<TimeLineAnim> GetTimeLineAnim(const std::wstring& shapeId) const;

  std::wstring GetJsonContent() const;
  // The same description as UTF-8 text.
  std::string GetJsonText() const;
  // Turns the effect records added so far into their JSON text and drops the
  // records, so that a long deck does not keep every slide's records until
  // the end. Call it only once nothing changes those records any more (their
  // slide's animations are gone); GetContents() then lists only the records
  // added since.
  void WriteContents();

  const std::vector<boost::shared_ptr<WebdeckAnimationContent>>& GetContents() const {
    return contents_;
  }
  const std::vector<boost::shared_ptr<TimeLineAnim>>& GetTimeLines() const { return timelines_; }

 private:
  std::vector<boost::shared_ptr<WebdeckAnimationContent>> contents_;
  std::vector<std::pair<std::wstring, boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder>>> sounds_;
  std::vector<boost::shared_ptr<TimeLineAnim>> timelines_;
  std::string writtenContents_;  // the records WriteContents dropped, comma-separated
  uint32_t uniqueCount_ = 0;
  uint32_t lastAnimTime_ = 0;
  uint32_t lastAnimTimeSeq_ = 0;
};

// The process-wide slide object of the HTML converter.
class IWebdeckSlide {
 public:
  static IWebdeckSlide* GetInstance();
  // Drops the process-wide slide object, so that the next GetInstance starts a
  // fresh deck.
  static void ResetInstance();
  virtual ~IWebdeckSlide() {}
  virtual boost::shared_ptr<WebdeckAnimationManager> GetAnimationManager() = 0;
};
