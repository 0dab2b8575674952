#pragma once
// Command identifiers: the numbers the menus and the accelerator table
// produce and the handlers route on. The numbers are fixed; the commands
// from 32900 on are the program's own additions.
namespace lirvan {

enum class Command : int {
  ReadNext = 32771,
  ModeAll = 32772,
  ModeTables = 32773,
  ModeCells = 32774,
  ModeSections = 32775,
  ModeLinks = 32776,
  ModeForms = 32777,
  ModeSmart = 32778,
  FindWord = 32779,
  FindNextOnPage = 32780,
  ReadBeforeFound = 32781,
  ReadAfterFound = 32782,
  ReadBetweenWords = 32783,
  NothingCtrlI = 32784,
  GeneralHelp = 32785,
  NewAddress = 32796,
  ChoiceField = 32797,
  SkipOptions = 32798,
  ReadAll = 32801,
  ReadFromStart = 32802,
  StopReading = 32803,
  ReadToEnd = 32804,
  GoToFound = 32805,
  Replace = 32806,
  ReadSelection = 32807,
  OpenDocument = 32808,
  Print = 32809,
  SaveText = 32810,
  ReadBetweenFinds = 32811,
  WhereAmI = 32813,
  Find = 32815,
  FetchMail = 32818,
  MailSettings = 32820,
  MailDetails = 32821,
  SendMail = 32822,
  NothingShiftTab = 32824,
  OpenBrowser = 32825,
  OpenComposer = 32826,
  OpenReader = 32827,
  OpenEditor = 32828,
  Settings = 32831,
  Punctuation = 32832,
  AddFavourite = 32833,
  Favourites = 32834,
  DateTime = 32836,
  Calculator = 32837,
  // Beyond the original table: keys a screen-reader user relies on.
  RateUp = 32900,
  RateDown = 32901,
  RepeatLast = 32902,
  SpeechHistory = 32903,
  WindowList = 32904,
  StopLoading = 32905,
  Back = 32906,
  Forward = 32907,
  RetakeSnapshot = 32908,
  ModeHeadings = 32909,
  ReplyMail = 32910,
  ForwardMail = 32911,
  // The framework's standard commands.
  PrintSetup = 57606,
  Copy = 57634,
  Cut = 57635,
  Paste = 57637,
  Undo = 57643,
  About = 57664,
  Exit = 57665,
};

constexpr int ToInt(Command command) { return static_cast<int>(command); }

// The menus: the main frame's (no tool active) and one per tool; each tool's
// template has the same number.
enum class MenuId : int {
  Main = 128,
  Editor = 109,
  Reader = 107,
  Composer = 105,
  Browser = 129,
};

}  // namespace lirvan
