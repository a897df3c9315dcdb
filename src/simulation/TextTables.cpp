#include "simulation/TextTables.h"

#include "simulation/BuildingKinds.h"

const std::string gameTitle = "Quillfenn";

const std::string layerCaptions[4] = {
    "Build mode",
    "Showing housing population, filled jobs and number of shoppers",
    "Showing housing attractiveness",
    "Showing housing needs & warnings",
};

// The titles live with their actions; ids without one keep an empty slot.
const std::array<std::string, 32> actionTitles = [] {
    std::array<std::string, 32> titles;
    for (int id = 0; id < static_cast<int>(titles.size()); ++id)
    {
        if (const ActionKind* action = actionKind(id))
            titles[id] = action->title;
    }
    return titles;
}();

const std::string financeCategoryNames[32] = {
    "Construction",
    "Road maintenance",
    "Park maintenance",
    "Housing income",
    "Shop income",
    "Production income",
    "Office income",
    "Water supply",
    "Loan interest",
    "Public services",
    "Waste management",
    "Misc.",
};

const std::string financeCategoryHelp[32] = {
    "Money spent on construction and demolition.",
    "Your roads need constant care and maintenance. This expense is equal to number of road tiles.",
    "It costs money to keep your parks clean, grass mown and birds singing. Each park requires 10 money for "
    "upkeep.",
    "Houses are the main source of income in your city. You can raise or lower the rent to bring in more money. "
    "Vacant houses have an expense of 1.",
    "Shop tax is another large source of income in your city.",
    "Your shops and residents need goods so you can either produce them in your factories or import them but at "
    "a higher price.",
    "People sitting around all day can be very lucrative.",
    "Water towers and pumping stations require money to maintain. There are also pipes running beneath the roads "
    "which have an expense of 1 for every 5 pieces of road.",
    "There is a daily interest of 0.075% on the loan sum.",
    "Fire departments, police stations and hospitals all require money to run.",
    "Waste management is a nasty and expensive operation. The expense is based on number of buildings generating "
    "waste and grows non-linearly.",
};

const std::string trashWarningTitle = "Uh-oh..";
const std::string trashWarningText =
    "Excessive amounts of trash is starting to pile up on the streets and stink everything up. You really need to "
    "build more landfills so that city's waste collectors have somewhere to take it.";
const std::string unlockTitle = "Rejoice!";
const std::string unlockTextLargeHousing =
    "Larger housing is now available. This new building allows for more dense population to be developed.";
const std::string unlockTextFlats =
    "Apartment buildings are now available. Flats allows for highly dense population to be developed.";
const std::string unlockTextConvenienceStore =
    "Convenience store is now available. This new shop accomodates more shoppers and turns in more profit.";
const std::string unlockTextOffice =
    "Large office buildings are now available for constructions. These structures employ a lot of residents and "
    "generate large profits.";
const std::string unlockTextPumpingStation =
    "Pumping station is now available for construction. This structure provides water for greater number of "
    "users compared to water towers.";
const std::string unlockTextPoliceStation =
    "You can now build police stations. As your city grows, so does the number of criminals it attracts. Housing "
    "outside the range of police department attract less residents.\n\nThere is a 6 month grace period until "
    "crime starts to affect housing rating. Use that time to build your first police station.";
const std::string unlockTextFireStation =
    "You can now build fire stations. Buildings outside the range of fire department attetion have a high risk "
    "of catching on fire, especially in densely populated areas.\n\nThere is a 6 month grace period until fire "
    "hazard starts to affect housing rating. Use that time to build your first fire station.";
const std::string unlockTextHospital =
    "You can now build hospitals. As the city grows, the more diseases and illnesses start to spread. Hospitals "
    "ensure your residents don't die.\n\nThere is a 6 month grace period until lack of healthcare starts to "
    "affect housing rating. Use that time to build your first hospital.";
const std::string unlockTextLandfill =
    "Your city is starting to grow and generate more waste than the residents are able to dispose of themselves. "
    "Landfills are now availble for construction. Their capacity is limited and once they have been built, they "
    "cannot be removed. Waste management is now an additional expense for the city.";
const std::string housingDemandHelp =
    "As new people arrive in your city they all look for different place to live and to make home. Some prefer "
    "life in an apartment, others look for space and privacy of a single house. You need to provide different "
    "options if you wish to really grow your city.";
const std::string buildRateHelp =
    "Shown below is the rate at which roads and buildings are constructed when clicking.";
const std::string socialClassesHelp =
    "There are 3 social classes in your city. Distribution is based on housing ratings.\n\n* Lower class:\nMostly "
    "calculated from houses with 1 star. These houses consume food and little basic goods.\n\n* Middle "
    "class:\nMostly calculated from houses with 2 stars. These houses consume food, basic goods and little luxury "
    "items.\n\n* Upper class:\nMostly calculated from houses with 3 stars. These houses consume food, basic goods "
    "and luxury items.\n\n\n";
const std::string noBudgetTitle = "Oh no.";
const std::string noBudgetText = "Your city doesn't have enough budget for this.";

const std::string ratingWords[7] = {
    "Appalling", "Poor", "Inadequate", "Neutral", "Tolerable", "Good", "Excellent",
};

const std::string goodsNames[3] = {"Food", "Basic goods", "Luxury items"};
