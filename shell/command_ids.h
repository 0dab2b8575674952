#pragma once
// Command identifiers: the numbers the menus and the accelerator table
// produce and the handlers route on.
namespace lirvan::cmd {

inline constexpr int kReadNext = 32771;
inline constexpr int kModeAll = 32772;
inline constexpr int kModeTables = 32773;
inline constexpr int kModeCells = 32774;
inline constexpr int kModeSections = 32775;
inline constexpr int kModeLinks = 32776;
inline constexpr int kModeForms = 32777;
inline constexpr int kModeSmart = 32778;
inline constexpr int kFindWord = 32779;
inline constexpr int kFindNextOnPage = 32780;
inline constexpr int kReadBeforeFound = 32781;
inline constexpr int kReadAfterFound = 32782;
inline constexpr int kReadBetweenWords = 32783;
inline constexpr int kNothingCtrlI = 32784;
inline constexpr int kGeneralHelp = 32785;
inline constexpr int kNewAddress = 32796;
inline constexpr int kChoiceField = 32797;
inline constexpr int kSkipOptions = 32798;
inline constexpr int kReadAll = 32801;
inline constexpr int kReadFromStart = 32802;
inline constexpr int kStopReading = 32803;
inline constexpr int kReadToEnd = 32804;
inline constexpr int kGoToFound = 32805;
inline constexpr int kReplace = 32806;
inline constexpr int kReadSelection = 32807;
inline constexpr int kOpenDocument = 32808;
inline constexpr int kPrint = 32809;
inline constexpr int kSaveText = 32810;
inline constexpr int kReadBetweenFinds = 32811;
inline constexpr int kWhereAmI = 32813;
inline constexpr int kFind = 32815;
inline constexpr int kFetchMail = 32818;
inline constexpr int kMailSettings = 32820;
inline constexpr int kMailDetails = 32821;
inline constexpr int kSendMail = 32822;
inline constexpr int kNothingShiftTab = 32824;
inline constexpr int kOpenBrowser = 32825;
inline constexpr int kOpenComposer = 32826;
inline constexpr int kOpenReader = 32827;
inline constexpr int kOpenEditor = 32828;
inline constexpr int kSettings = 32831;
inline constexpr int kPunctuation = 32832;
inline constexpr int kAddFavourite = 32833;
inline constexpr int kFavourites = 32834;
inline constexpr int kDateTime = 32836;
inline constexpr int kCalculator = 32837;
// The framework's standard commands.
inline constexpr int kPrintSetup = 57606;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;

// Resource ids of the menus: the main frame's and one per tool.
inline constexpr int kMenuMain = 128;
inline constexpr int kMenuEditor = 109;
inline constexpr int kMenuReader = 107;
inline constexpr int kMenuComposer = 105;
inline constexpr int kMenuBrowser = 129;

}  // namespace lirvan::cmd
