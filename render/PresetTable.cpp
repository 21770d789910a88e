#include "render/PresetTable.h"

namespace render {

const std::vector<PresetEntry>& PresetEntries() {
  static const std::vector<PresetEntry> entries = [] {
    std::vector<PresetEntry> table;
    AddBasicPresets(&table);
    AddArrowPresets(&table);
    AddFlowchartPresets(&table);
    AddCalloutPresets(&table);
    AddSymbolPresets(&table);
    return table;
  }();
  return entries;
}

}  // namespace render
