#pragma once
// The web browser's view: Qt WebEngine's view with everything that makes it
// usable without sight. Every navigation step is announced, the loaded page
// is taken as a snapshot of its elements that the reading modes walk one
// piece per key press, and form fields, page search and favourites are
// spoken. It starts on the local help page.
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "browser/page_search.h"
#include "browser/page_snapshot.h"
#include "browser/reading_walk.h"
#include "shell/tool_view.h"

class QDialog;
class QKeyEvent;
class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEngineView;

namespace lirvan {

class CLirvanPage;
class PageBridge;
class Speaker;
class ToolHost;
class WordPrompts;
enum class ActionResult;
enum class ElementAction;

class CLirvanView : public CToolView {
  Q_OBJECT

 public:
  explicit CLirvanView(ToolHost& host);
  ~CLirvanView() override;

  bool OnCommand(Command command) override;

  // Loads an address as the address dialog would.
  void Navigate(const QUrl& url);

  bool pageLoaded() const { return m_bPageLoaded; }
  bool loading() const { return m_bLoading; }
  const PageSnapshot& snapshot() const { return m_snapshot; }
  const ReadingState& readingState() const { return m_reading; }
  QWebEngineView* browser() const { return m_pBrowser.get(); }
  CLirvanPage* page() const { return m_pPage.get(); }
  // Changed by tests: how long a load may take before it is said to go on,
  // and how often the page is asked whether it changed.
  void SetStillLoadingInterval(std::chrono::milliseconds interval);
  void SetChangePollInterval(std::chrono::milliseconds interval);
  // The dialogs that ask for the words of the page search.
  void SetWordPrompts(std::unique_ptr<WordPrompts> prompts);

 signals:
  // A loaded document was taken in and announced (or a stopped load's page
  // taken in again): the reading commands work on it from now on.
  void pageReady();

 protected:
  // Keys typed into the page: echoed, and Enter commits a selection list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class SnapshotPurpose {
    Load,     // the document is complete: tell of its forms
    Restore,  // a load was stopped or turned into a download: what is shown, silently
    Change,   // the page changed itself: silently, keeping the reading position
    Demand,   // the user asked: say how many elements there are now
    Refused,  // an action came too late for its element: silently, keeping the position
  };

  // Loading (lirvan_view.cpp).
  void OnInitialUpdate();
  void OnBeforeNavigate();
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnDocumentComplete();
  void OnNavigationError(const QUrl& failed);
  void RestoreShownPage();
  void OnFocusChanged(QWidget* old, QWidget* now);
  // Runs one of the view's own dialogs; the focus coming back from it is
  // not announced, so it cannot cut off what the command says next.
  int RunDialog(QDialog& dialog);
  void OnDownload(QWebEngineDownloadRequest* download);
  void OnStillLoading();
  void TakeSnapshot(SnapshotPurpose purpose);
  void StoreSnapshot(PageSnapshot snapshot, SnapshotPurpose purpose);
  void PollForChanges();
  bool Contains(const QObject* object) const;

  // Reading (lirvan_view_reading.cpp).
  void ReadNext();
  void Perform(const WalkEvents& events);
  void SendAction(int element, ElementAction action, std::function<void(ActionResult)> done);
  void RefuseLateAction();
  void ToggleChoiceField();
  void SkipOptions();
  void CommitPendingList();
  void ReadFocusedField();
  void EchoTypedKey(const QKeyEvent& key);

  // Navigation commands and favourites (lirvan_view_navigation.cpp).
  void OnNewAddress();
  void AddFavourite();
  void OpenFavourites();
  void GoBack();
  void GoForward();
  bool StopLoading();
  void WhereAmI();
  void OnPrintPage();
  void RetakeSnapshot();

  // Page search (lirvan_view_search.cpp).
  bool SearchAllowed(const char* refusal);
  void FindWord();
  void FindNext();
  void ReadBeforeFound();
  void ReadAfterFound();
  void ReadBetweenWords();

  ToolHost& m_host;
  Speaker& m_speaker;
  // Destroyed in this order at the end: the web view, then its page.
  std::unique_ptr<CLirvanPage> m_pPage;
  std::unique_ptr<QWebEngineView> m_pBrowser;
  std::unique_ptr<PageBridge> m_bridge;
  std::unique_ptr<WordPrompts> m_prompts;
  std::unique_ptr<QPrinter> m_printer;

  PageSnapshot m_snapshot;  // m_nElementCount is its size, m_strPageText its text
  ReadingState m_reading;   // m_nReadingMode, m_nCursor, m_bSkipOptions, the held field
  PageSearch m_search;      // m_strSearchWord, m_nFoundPosition
  bool m_bPageLoaded = false;
  // What the focus announces: "Internet Gezgini " at first, nothing while a
  // page loads, the title and " sayfası" once it is loaded.
  SpeechText m_strPageName;

  bool m_bBackFromDialog = false;
  bool m_bLoading = false;
  bool m_bUserStopped = false;  // Escape stopped this load: not an error
  std::uint32_t m_nLoadSerial = 0;  // answers for an older navigation are dropped
  bool m_bSnapshotInFlight = false;
  std::optional<std::chrono::steady_clock::time_point> m_changeSeenAt;
  QTimer m_stillLoading;
  QTimer m_changePoll;
};

}  // namespace lirvan
