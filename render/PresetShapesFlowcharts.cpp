// Flowchart symbols. Most are drawn on a small grid of their own ("size").
#include "render/PresetTable.h"

namespace render {

void AddFlowchartPresets(std::vector<PresetEntry>* table) {
  // The outline of a circle, and the lines that sit on it.
  const std::string circle = "M l vc A wd2 hd2 cd2 21600000 Z";
  table->insert(
      table->end(),
      {
          {"flowChartProcess", "", "", "size 1 1 M 0 0 L 1 0 L 1 1 L 0 1 Z", ""},
          {"flowChartAlternateProcess", "", "x2 = +- r 0 ssd6; y2 = +- b 0 ssd6",
           "M l ssd6 A ssd6 ssd6 cd2 cd4 L x2 t A ssd6 ssd6 3cd4 cd4 L r y2 A ssd6 ssd6 0 cd4 "
           "L ssd6 b A ssd6 ssd6 cd4 cd4 Z",
           ""},
          {"flowChartDecision", "", "", "size 2 2 M 0 1 L 1 0 L 2 1 L 1 2 Z", ""},
          {"flowChartInputOutput", "", "", "size 5 5 M 0 5 L 1 0 L 5 0 L 4 5 Z", ""},
          {"flowChartPredefinedProcess", "", "",
           "nostroke size 1 1 M 0 0 L 1 0 L 1 1 L 0 1 Z"
           " | nofill size 8 8 M 1 0 L 1 8 M 7 0 L 7 8"
           " | nofill size 1 1 M 0 0 L 1 0 L 1 1 L 0 1 Z",
           ""},
          {"flowChartInternalStorage", "", "",
           "nostroke size 1 1 M 0 0 L 1 0 L 1 1 L 0 1 Z"
           " | nofill size 8 8 M 1 0 L 1 8 M 0 1 L 8 1"
           " | nofill size 1 1 M 0 0 L 1 0 L 1 1 L 0 1 Z",
           ""},
          {"flowChartDocument", "", "",
           "size 21600 21600 M 0 0 L 21600 0 L 21600 17322 C 10800 17322 10800 23922 0 20172 Z",
           ""},
          {"flowChartMultidocument", "", "",
           "nostroke size 21600 21600 M 0 20782 C 9298 23542 9298 18022 18595 18022 L 18595 3675 "
           "L 0 3675 Z M 1532 3675 L 1532 1815 L 20000 1815 L 20000 16252 "
           "C 19298 16252 18595 16352 18595 16352 L 18595 3675 Z M 2972 1815 L 2972 0 L 21600 0 "
           "L 21600 14392 C 20800 14392 20000 14467 20000 14467 L 20000 1815 Z"
           " | nofill size 21600 21600 M 0 3675 L 18595 3675 L 18595 18022 "
           "C 9298 18022 9298 23542 0 20782 Z M 1532 3675 L 1532 1815 L 20000 1815 L 20000 16252 "
           "C 19298 16252 18595 16352 18595 16352 M 2972 1815 L 2972 0 L 21600 0 L 21600 14392 "
           "C 20800 14392 20000 14467 20000 14467",
           ""},
          {"flowChartTerminator", "", "",
           "size 21600 21600 M 3475 0 L 18125 0 A 3475 10800 3cd4 cd2 L 3475 21600 "
           "A 3475 10800 cd4 cd2 Z",
           ""},
          {"flowChartPreparation", "", "", "size 10 10 M 0 5 L 2 0 L 8 0 L 10 5 L 8 10 L 2 10 Z",
           ""},
          {"flowChartManualInput", "", "", "size 5 5 M 0 1 L 5 0 L 5 5 L 0 5 Z", ""},
          {"flowChartManualOperation", "", "", "size 5 5 M 0 0 L 5 0 L 4 5 L 1 5 Z", ""},
          {"flowChartConnector", "", "", circle, ""},
          {"flowChartOffpageConnector", "", "", "size 10 10 M 0 0 L 10 0 L 10 8 L 5 10 L 0 8 Z",
           ""},
          {"flowChartPunchedCard", "", "", "size 5 5 M 0 1 L 1 0 L 5 0 L 5 5 L 0 5 Z", ""},
          {"flowChartPunchedTape", "", "",
           "size 20 20 M 0 2 A 5 2 cd2 -10800000 A 5 2 cd2 cd2 L 20 18 A 5 2 0 -10800000 "
           "A 5 2 0 cd2 Z",
           ""},
          {"flowChartSummingJunction", "",
           "idx = cos wd2 2700000; idy = sin hd2 2700000; il = +- hc 0 idx; ir = +- hc idx 0;"
           "it = +- vc 0 idy; ib = +- vc idy 0",
           "nostroke " + circle + " | nofill M il it L ir ib M ir it L il ib | nofill " + circle,
           ""},
          {"flowChartOr", "", "",
           "nostroke " + circle + " | nofill M hc t L hc b M l vc L r vc | nofill " + circle, ""},
          {"flowChartCollate", "", "", "size 2 2 M 0 0 L 2 0 L 1 1 L 2 2 L 0 2 L 1 1 Z", ""},
          {"flowChartSort", "", "",
           "nostroke size 2 2 M 0 1 L 1 0 L 2 1 L 1 2 Z | nofill size 2 2 M 0 1 L 2 1"
           " | nofill size 2 2 M 0 1 L 1 0 L 2 1 L 1 2 Z",
           ""},
          {"flowChartExtract", "", "", "size 2 2 M 0 2 L 1 0 L 2 2 Z", ""},
          {"flowChartMerge", "", "", "size 2 2 M 0 0 L 2 0 L 1 2 Z", ""},
          {"flowChartOfflineStorage", "", "",
           "nostroke size 2 2 M 0 0 L 2 0 L 1 2 Z | nofill size 5 5 M 2 4 L 3 4"
           " | nofill size 2 2 M 0 0 L 2 0 L 1 2 Z",
           ""},
          {"flowChartOnlineStorage", "", "",
           "size 6 6 M 1 0 L 6 0 A 1 3 3cd4 -10800000 L 1 6 A 1 3 cd4 cd2 Z", ""},
          {"flowChartMagneticTape", "", "idy = sin hd2 2700000; ib = +- vc idy 0; ang1 = at2 w h",
           "M hc b A wd2 hd2 cd4 cd4 A wd2 hd2 cd2 cd4 A wd2 hd2 3cd4 cd4 A wd2 hd2 0 ang1 "
           "L r ib L r b Z",
           ""},
          {"flowChartMagneticDisk", "", "",
           "nostroke size 6 6 M 0 1 A 3 1 cd2 cd2 L 6 5 A 3 1 0 cd2 Z"
           " | nofill size 6 6 M 6 1 A 3 1 0 cd2"
           " | nofill size 6 6 M 0 1 A 3 1 cd2 cd2 L 6 5 A 3 1 0 cd2 Z",
           ""},
          {"flowChartMagneticDrum", "", "",
           "nostroke size 6 6 M 1 0 L 5 0 A 1 3 3cd4 cd2 L 1 6 A 1 3 cd4 cd2 Z"
           " | nofill size 6 6 M 5 6 A 1 3 cd4 cd2"
           " | nofill size 6 6 M 1 0 L 5 0 A 1 3 3cd4 cd2 L 1 6 A 1 3 cd4 cd2 Z",
           ""},
          {"flowChartDisplay", "", "", "size 6 6 M 0 3 L 1 0 L 5 0 A 1 3 3cd4 cd2 L 1 6 Z", ""},
          {"flowChartDelay", "", "", "M l t L hc t A wd2 hd2 3cd4 cd2 L l b Z", ""},
      });
}

}  // namespace render
