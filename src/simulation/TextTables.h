#ifndef QUILLFENN_SIMULATION_TEXTTABLES_H
#define QUILLFENN_SIMULATION_TEXTTABLES_H

#include <array>
#include <string>

// Player-visible texts shared by the screens and the day tick. Every table
// slot without an entry holds "", so any index inside a table is safe.

// Window title and welcome dialog title.
extern const std::string gameTitle;

// Status text of each information layer.
extern const std::string layerCaptions[4];

// Title of each action id; 0 and the ids beyond the last action are empty.
extern const std::array<std::string, 32> actionTitles;

// Display name of each finance category; 12..31 are empty.
extern const std::string financeCategoryNames[32];

// Help text of each finance category; 11..31 are empty.
extern const std::string financeCategoryHelp[32];

// Message titles and texts.
extern const std::string trashWarningTitle;
extern const std::string trashWarningText;
extern const std::string unlockTitle;
extern const std::string unlockTextLargeHousing;
extern const std::string unlockTextFlats;
extern const std::string unlockTextConvenienceStore;
extern const std::string unlockTextOffice;
extern const std::string unlockTextPumpingStation;
extern const std::string unlockTextPoliceStation;
extern const std::string unlockTextFireStation;
extern const std::string unlockTextHospital;
extern const std::string unlockTextLandfill;
extern const std::string housingDemandHelp;
extern const std::string buildRateHelp;
extern const std::string socialClassesHelp;
extern const std::string noBudgetTitle;
extern const std::string noBudgetText;

// House rating words by attraction level 0..6.
extern const std::string ratingWords[7];

// Names of the three kinds of goods.
extern const std::string goodsNames[3];

#endif
