#include "render/PresetGeometry.h"

#include <algorithm>
#include <cstdio>
#include <locale>
#include <map>
#include <memory>
#include <sstream>

#include "render/PresetTable.h"

namespace render {
namespace {

constexpr double kEmuPerUnit = 9525.0;
constexpr double kAngleUnit = 60000.0;  // per degree

// Geometry with its guides compiled: paths whose operands are numbers or
// slots of the guide list.
class CompiledGeometry {
 public:
  struct Command {
    platform::PathCommand::Kind kind = platform::PathCommand::MoveTo;
    GuideList::Operand v[6];
  };
  struct Path {
    bool filled = true;
    bool stroked = true;
    double width = 0.0, height = 0.0;
    double refScale = 1.0;           // applied to coordinates taken from guides
    double angleScale = 1.0;         // applied to angles taken from guides
    double literalAngleScale = 1.0;  // applied to angles written as numbers
    std::vector<Command> commands;
  };

  GuideList guides;
  std::vector<Path> paths;

  void Emit(double width, double height, const AdjustValues& adjust,
            std::vector<platform::GeometryPath>* out) const {
    const std::vector<double> values = guides.Evaluate(width, height, adjust);
    out->clear();
    for (const Path& path : paths) {
      platform::GeometryPath result;
      result.width = path.width;
      result.height = path.height;
      result.filled = path.filled;
      result.stroked = path.stroked;
      for (const Command& c : path.commands) {
        platform::PathCommand command;
        command.kind = c.kind;
        for (int i = 0; i < 6; ++i) {
          const bool angle = c.kind == platform::PathCommand::ArcTo && i >= 2;
          const GuideList::Operand& o = c.v[i];
          const double scale = o.slot < 0 ? (angle ? path.literalAngleScale : 1.0)
                                          : (angle ? path.angleScale : path.refScale);
          command.v[i] = GuideList::Value(values, o) * scale;
        }
        result.commands.push_back(command);
      }
      out->push_back(std::move(result));
    }
  }
};

int OperandCount(platform::PathCommand::Kind kind) {
  switch (kind) {
    case platform::PathCommand::MoveTo:
    case platform::PathCommand::LineTo:
      return 2;
    case platform::PathCommand::CubicTo:
      return 6;
    case platform::PathCommand::QuadTo:
    case platform::PathCommand::ArcTo:
      return 4;
    case platform::PathCommand::Close:
      break;
  }
  return 0;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\n");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t\n") - first + 1);
}

// Compiles one table entry; false with the reason in `error`.
bool Compile(const PresetEntry& entry, CompiledGeometry* out, std::string* error) {
  error->clear();
  std::istringstream adjust(entry.adjust);
  adjust.imbue(std::locale::classic());
  std::string name;
  while (adjust >> name) {
    double fallback = 0;
    if (!(adjust >> fallback)) {
      *error = "adjust value \"" + name + "\" needs a number";
      return false;
    }
    out->guides.AddAdjust(name, fallback);
  }
  for (const std::string& guide : Split(entry.guides, ';')) {
    const std::string text = Trim(guide);
    if (text.empty()) continue;
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
      *error = "guide without a name: \"" + text + "\"";
      return false;
    }
    if (!out->guides.AddGuide(Trim(text.substr(0, equals)), text.substr(equals + 1), error))
      return false;
  }
  for (const std::string& pathText : Split(entry.paths, '|')) {
    CompiledGeometry::Path path;
    path.literalAngleScale = path.angleScale = 1.0 / kAngleUnit;
    std::istringstream in(pathText);
    std::string token;
    while (in >> token) {
      if (token == "nofill") {
        path.filled = false;
        continue;
      }
      if (token == "nostroke") {
        path.stroked = false;
        continue;
      }
      if (token == "size") {
        if (!(in >> path.width >> path.height)) {
          *error = "\"size\" needs a width and a height";
          return false;
        }
        continue;
      }
      CompiledGeometry::Command command;
      if (token == "M") {
        command.kind = platform::PathCommand::MoveTo;
      } else if (token == "L") {
        command.kind = platform::PathCommand::LineTo;
      } else if (token == "C") {
        command.kind = platform::PathCommand::CubicTo;
      } else if (token == "Q") {
        command.kind = platform::PathCommand::QuadTo;
      } else if (token == "A") {
        command.kind = platform::PathCommand::ArcTo;
      } else if (token == "Z") {
        command.kind = platform::PathCommand::Close;
      } else {
        *error = "unknown path command \"" + token + "\"";
        return false;
      }
      for (int i = 0; i < OperandCount(command.kind); ++i)
        if (!(in >> token) || !out->guides.Resolve(token, &command.v[i], error)) {
          if (error->empty()) *error = "path command \"" + token + "\" needs more operands";
          return false;
        }
      path.commands.push_back(command);
    }
    if (!path.commands.empty()) out->paths.push_back(std::move(path));
  }
  if (out->paths.empty()) {
    *error = "no paths";
    return false;
  }
  return true;
}

struct Compiled {
  std::map<std::string, std::unique_ptr<CompiledGeometry>> presets;
  std::map<std::string, std::string> notes;
};

// Every preset of the table, compiled on first use. An entry that does not
// compile is reported once and left out, so it is drawn as its bounds.
Compiled CompileTable() {
  Compiled result;
  for (const PresetEntry& entry : PresetEntries()) {
    auto geometry = std::make_unique<CompiledGeometry>();
    std::string error;
    if (!Compile(entry, geometry.get(), &error)) {
      std::fprintf(stderr, "slideanim: preset shape \"%s\" is not drawn: %s\n", entry.name.c_str(),
                   error.c_str());
      continue;
    }
    result.presets[entry.name] = std::move(geometry);
    result.notes[entry.name] = entry.note;
  }
  return result;
}

const Compiled& CompiledPresets() {
  static const Compiled compiled = CompileTable();
  return compiled;
}

}  // namespace

bool PresetOutline(const std::string& name, double width, double height, const AdjustValues& adjust,
                   std::vector<platform::GeometryPath>* out) {
  const Compiled& compiled = CompiledPresets();
  auto it = compiled.presets.find(name);
  if (it == compiled.presets.end()) return false;
  it->second->Emit(width, height, adjust, out);
  return true;
}

std::vector<std::string> PresetNames() {
  std::vector<std::string> names;
  for (const auto& entry : CompiledPresets().presets) names.push_back(entry.first);
  return names;
}

std::string PresetNote(const std::string& name) {
  const Compiled& compiled = CompiledPresets();
  auto it = compiled.notes.find(name);
  return it == compiled.notes.end() ? std::string() : it->second;
}

bool ResolveCustomGeometry(const platform::Geometry& geometry, double width, double height,
                           std::vector<platform::GeometryPath>* out, std::string* error) {
  CompiledGeometry compiled;
  for (const platform::GeometryGuide& guide : geometry.guides)
    if (!compiled.guides.AddGuide(guide.name, guide.formula, error)) return false;
  for (const platform::GeometryPath& source : geometry.paths) {
    CompiledGeometry::Path path;
    path.filled = source.filled;
    path.stroked = source.stroked;
    path.width = source.width;
    path.height = source.height;
    path.refScale = source.width > 0 && source.height > 0 ? 1.0 : 1.0 / kEmuPerUnit;
    path.angleScale = 1.0 / kAngleUnit;
    path.literalAngleScale = 1.0;
    for (const platform::PathCommand& c : source.commands) {
      CompiledGeometry::Command command;
      command.kind = c.kind;
      for (int i = 0; i < 6; ++i) {
        if (c.ref[i].empty()) {
          command.v[i].number = c.v[i];
        } else if (!compiled.guides.Resolve(c.ref[i], &command.v[i], error)) {
          return false;
        }
      }
      path.commands.push_back(command);
    }
    compiled.paths.push_back(std::move(path));
  }
  compiled.Emit(width * kEmuPerUnit, height * kEmuPerUnit, AdjustValues(), out);
  return true;
}

}  // namespace render
