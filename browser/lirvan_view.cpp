#include "browser/lirvan_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>

#include "browser/lirvan_page.h"
#include "browser/page_bridge.h"
#include "browser/word_prompts.h"
#include "shell/file_chooser_dialog.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

constexpr std::chrono::seconds kStillLoadingInterval{15};
constexpr std::chrono::milliseconds kChangePollInterval{500};
// A page that changes itself is taken again once it has been quiet this
// long, or after the longer wait when it never rests (a ticking clock).
constexpr double kQuietMilliseconds = 300;
constexpr std::chrono::milliseconds kLongestChangeWait{2000};

}  // namespace

CLirvanView::CLirvanView(ToolHost& host)
    : m_host(host),
      m_speaker(host.speaker()),
      // The program's profile keeps nothing on disk: cookies and cache last
      // while the program runs.
      m_pPage(std::make_unique<CLirvanPage>(QWebEngineProfile::defaultProfile())),
      m_pBrowser(std::make_unique<QWebEngineView>(m_pPage.get(), this)),
      m_bridge(std::make_unique<PageBridge>(*m_pPage)),
      m_prompts(MakeWordPrompts(m_speaker)),
      m_strPageName(Cp("Internet Gezgini ")) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_pBrowser.get());
  setFocusProxy(m_pBrowser.get());

  QWebEngineSettings* settings = m_pPage->settings();
  // A failed load is announced and stepped back from, not shown.
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);

  m_pPage->onBeforeNavigate = [this] { OnBeforeNavigate(); };
  m_pPage->onPageMessage = [this](const QString& message) {
    m_speaker.SpeakAndWait(Cp("Sayfa mesajı: ") + Plain(ToCp1254(message)));
  };
  m_pPage->onChooseFiles = [this](bool /*multiple*/) {
    FileChooserDialog chooser(m_speaker, this, FileChooserDialog::Mode::Open);
    if (RunDialog(chooser) != QDialog::Accepted) return QStringList();
    return QStringList{chooser.chosenPath()};
  };
  connect(m_pPage.get(), &QWebEnginePage::loadingChanged, this, &CLirvanView::OnLoadingChanged);
  connect(m_pPage->profile(), &QWebEngineProfile::downloadRequested, this,
          &CLirvanView::OnDownload);
  connect(qApp, &QApplication::focusChanged, this, &CLirvanView::OnFocusChanged);
  qApp->installEventFilter(this);

  m_stillLoading.setInterval(kStillLoadingInterval);
  connect(&m_stillLoading, &QTimer::timeout, this, &CLirvanView::OnStillLoading);
  m_changePoll.setInterval(kChangePollInterval);
  connect(&m_changePoll, &QTimer::timeout, this, &CLirvanView::PollForChanges);
  // The help page is asked for once the window stands, as the framework's
  // initial update does.
  QTimer::singleShot(0, this, &CLirvanView::OnInitialUpdate);
}

CLirvanView::~CLirvanView() {
  qApp->removeEventFilter(this);
  m_bridge->Detach();
  // Nothing the page still reports may reach a half-destroyed view.
  m_pPage->onBeforeNavigate = nullptr;
  m_pPage->onPageMessage = nullptr;
  m_pPage->onChooseFiles = nullptr;
  disconnect(m_pPage.get(), nullptr, this, nullptr);
}

void CLirvanView::SetStillLoadingInterval(std::chrono::milliseconds interval) {
  m_stillLoading.setInterval(interval);
}

void CLirvanView::SetChangePollInterval(std::chrono::milliseconds interval) {
  m_changePoll.setInterval(interval);
}

void CLirvanView::SetWordPrompts(std::unique_ptr<WordPrompts> prompts) {
  m_prompts = std::move(prompts);
}

bool CLirvanView::Contains(const QObject* object) const {
  for (; object != nullptr; object = object->parent()) {
    if (object == this) return true;
  }
  return false;
}

void CLirvanView::OnInitialUpdate() {
  // Looked up in the folder the program works in, not beside the program.
  Navigate(QUrl::fromLocalFile(QDir::current().absoluteFilePath(
      QStringLiteral("veriler/yardim.html"))));
}

void CLirvanView::Navigate(const QUrl& url) { m_pPage->load(url); }

void CLirvanView::OnBeforeNavigate() {
  ++m_nLoadSerial;
  m_reading = ReadingState{};
  m_snapshot = PageSnapshot{};
  m_search.Reset();
  m_bPageLoaded = false;
  m_bSnapshotInFlight = false;
  m_bUserStopped = false;
  m_bLoading = true;
  m_changeSeenAt.reset();
  m_changePoll.stop();
  m_stillLoading.start();
  m_strPageName = SpeechText();
  m_speaker.SpeakAndWait(Cp("Sayfa Yükleniyor"));
}

void CLirvanView::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
      m_bLoading = true;
      return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      m_bLoading = false;
      m_stillLoading.stop();
      OnDocumentComplete();
      return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
      // Stopped by Escape, or turned into a download: what is shown stays
      // readable, and nothing failed.
      m_bLoading = false;
      m_stillLoading.stop();
      RestoreShownPage();
      return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
      m_bLoading = false;
      m_stillLoading.stop();
      if (m_bUserStopped) {
        RestoreShownPage();
      } else {
        OnNavigationError(info.url());
      }
      return;
  }
}

void CLirvanView::OnDocumentComplete() {
  const std::uint32_t serial = m_nLoadSerial;
  // The title in a call of its own, so that the announcement does not wait
  // for the snapshot of a large page; the page takes the snapshot while
  // the announcement is spoken.
  m_bridge->Title([this, serial](std::optional<TitleInfo> info) {
    // Not an HTML document: loaded, but nothing to announce or read.
    if (serial != m_nLoadSerial || !info || !info->isHtml) return;
    m_speaker.SpeakAndWait(Plain(info->title) + Cp(" sayfası yüklendi"));
    m_strPageName = Plain(info->title) + Cp(" sayfası");
  });
  TakeSnapshot(SnapshotPurpose::Load);
}

void CLirvanView::OnNavigationError(const QUrl& failed) {
  m_speaker.SpeakAndWait(Cp("Sayfa erişilemedi"));
  QWebEngineHistory* history = m_pPage->history();
  // A failure that became a history entry is stepped back from; otherwise
  // the page shown before is still there and is read again.
  if (history->currentItem().url() == failed && history->canGoBack()) {
    history->back();
  } else {
    RestoreShownPage();
  }
}

void CLirvanView::RestoreShownPage() {
  const std::uint32_t serial = m_nLoadSerial;
  m_bridge->Title([this, serial](std::optional<TitleInfo> info) {
    if (serial != m_nLoadSerial || !info || !info->isHtml) return;
    if (m_pPage->url().isEmpty()) return;  // nothing was ever shown
    m_strPageName = Plain(info->title) + Cp(" sayfası");
    TakeSnapshot(SnapshotPurpose::Restore);
  });
}

void CLirvanView::TakeSnapshot(SnapshotPurpose purpose) {
  const std::uint32_t serial = m_nLoadSerial;
  m_bSnapshotInFlight = true;
  m_bridge->Snapshot([this, serial, purpose](std::optional<PageSnapshot> snapshot) {
    if (serial != m_nLoadSerial) return;
    m_bSnapshotInFlight = false;
    // A page whose script cannot run stays as it was (or empty).
    if (snapshot) StoreSnapshot(std::move(*snapshot), purpose);
  });
}

void CLirvanView::StoreSnapshot(PageSnapshot snapshot, SnapshotPurpose purpose) {
  // A document that is not HTML gives no elements and no text to read.
  if (!snapshot.isHtml) {
    PageSnapshot empty;
    empty.generation = snapshot.generation;
    empty.changeCount = snapshot.changeCount;
    snapshot = std::move(empty);
  }
  const bool keepPosition = purpose == SnapshotPurpose::Change ||
                            purpose == SnapshotPurpose::Demand ||
                            purpose == SnapshotPurpose::Refused;
  if (keepPosition) CarryOver(m_snapshot, snapshot, m_reading);
  m_snapshot = std::move(snapshot);
  m_bPageLoaded = true;
  m_changeSeenAt.reset();
  m_changePoll.start();
  if (purpose == SnapshotPurpose::Load && m_snapshot.formCount > 0) {
    m_speaker.Speak(Cp("yüklenen sayfada form bulunmaktadır"));
  }
  if (purpose == SnapshotPurpose::Load || purpose == SnapshotPurpose::Restore) {
    emit pageReady();
  } else if (purpose == SnapshotPurpose::Demand) {
    m_speaker.SpeakAndWait(Cp("Sayfa yeniden tarandı, sayfada"));
    m_speaker.SpeakDirect(std::to_string(m_snapshot.size()));
    m_speaker.SpeakAndWait(Cp("öğe var"));
  }
}

void CLirvanView::PollForChanges() {
  if (!m_bPageLoaded || m_bSnapshotInFlight) return;
  const std::uint32_t serial = m_nLoadSerial;
  m_bridge->Poll([this, serial](std::uint32_t changes, double quietMs) {
    if (serial != m_nLoadSerial || m_bSnapshotInFlight) return;
    if (changes == m_snapshot.changeCount) return;
    const auto now = std::chrono::steady_clock::now();
    if (!m_changeSeenAt) m_changeSeenAt = now;
    if (quietMs >= kQuietMilliseconds || now - *m_changeSeenAt >= kLongestChangeWait) {
      TakeSnapshot(SnapshotPurpose::Change);
    }
  });
}

void CLirvanView::OnFocusChanged(QWidget* old, QWidget* now) {
  const bool in = Contains(now);
  if (in == Contains(old)) return;
  const bool backFromDialog = std::exchange(m_bBackFromDialog, false);
  // Nothing while a page is loading.
  if (in && !backFromDialog && !m_strPageName.segments().empty()) {
    m_speaker.SpeakAndWait(m_strPageName);
  }
}

int CLirvanView::RunDialog(QDialog& dialog) {
  const int result = dialog.exec();
  m_bBackFromDialog = true;
  return result;
}

void CLirvanView::OnDownload(QWebEngineDownloadRequest* download) {
  if (download->page() != m_pPage.get()) return;
  download->cancel();
  m_speaker.Speak(Plain(ToCp1254(download->downloadFileName())) +
                  Cp(" dosyasını indirme isteği reddedildi"));
}

void CLirvanView::OnStillLoading() {
  m_speaker.Speak(Cp("Sayfa hâlâ yükleniyor. Durdurmak için ESKEYP tuşuna basınız"));
}

bool CLirvanView::OnCommand(Command command) {
  if (const ModeRow* mode = ModeForCommand(command)) {
    Perform(SetReadingMode(m_reading, mode->mode));
    return true;
  }
  switch (command) {
    case Command::ReadNext:
      ReadNext();
      return true;
    case Command::FindWord:
    case Command::Find:
      FindWord();
      return true;
    case Command::FindNextOnPage:
      FindNext();
      return true;
    case Command::ReadBeforeFound:
      ReadBeforeFound();
      return true;
    case Command::ReadAfterFound:
      ReadAfterFound();
      return true;
    case Command::ReadBetweenWords:
      ReadBetweenWords();
      return true;
    case Command::NewAddress:
      OnNewAddress();
      return true;
    case Command::ChoiceField:
      ToggleChoiceField();
      return true;
    case Command::SkipOptions:
      SkipOptions();
      return true;
    case Command::StopReading:
      m_speaker.StopSpeaking();
      return true;
    case Command::Print:
      OnPrintPage();
      return true;
    case Command::Punctuation:
      TogglePunctuation(m_speaker, this, "noktalama okuma açık", "noktalama okuma kapali");
      m_bBackFromDialog = true;
      return true;
    case Command::AddFavourite:
      AddFavourite();
      return true;
    case Command::Favourites:
      OpenFavourites();
      return true;
    case Command::StopLoading:
      return StopLoading();
    case Command::Back:
      GoBack();
      return true;
    case Command::Forward:
      GoForward();
      return true;
    case Command::RetakeSnapshot:
      RetakeSnapshot();
      return true;
    case Command::WhereAmI:
      WhereAmI();
      return true;
    case Command::ReadAll:
      ReadFocusedField();
      return true;
    default:
      return false;
  }
}

}  // namespace lirvan
