// The browser view's navigation commands: a typed address, favourites,
// back and forward, stopping a load, where am I, printing and taking the
// page again on demand.
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "browser/entry_dialog.h"
#include "browser/favourites.h"
#include "browser/favourites_dialog.h"
#include "browser/lirvan_page.h"
#include "browser/lirvan_view.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

namespace {

// A typed address by the usual rule: "www.ornek.com.tr" is a web address,
// a path to an existing file is that file.
QUrl AddressFromUser(const QString& typed) {
  return QUrl::fromUserInput(typed.trimmed(), QDir::currentPath());
}

// A line of the favourites files cannot hold its own separators.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  }
  return text;
}

}  // namespace

void CLirvanView::OnNewAddress() {
  CEntryDialog dialog(m_speaker, CEntryDialog::kAddress, this);
  if (RunDialog(dialog) != QDialog::Accepted) return;
  const QUrl url = AddressFromUser(dialog.text());
  if (dialog.text().trimmed().isEmpty() || !url.isValid()) {
    m_speaker.Speak(Cp("Geçerli bir adres girilmedi"));
    return;
  }
  Navigate(url);
}

void CLirvanView::AddFavourite() {
  CEntryDialog dialog(m_speaker, CEntryDialog::kAddFavourite, this);
  if (RunDialog(dialog) != QDialog::Accepted || dialog.text().isEmpty()) return;
  const QByteArray address = m_pPage->url().toEncoded();
  if (lirvan::AddFavourite(OneLine(address.toStdString()), OneLine(ToCp1254(dialog.text())))) {
    m_speaker.Speak(Cp("Favori sayfanız eklendi"));
  } else {
    m_speaker.Speak(Cp("Favori sayfanız eklenemedi"));
  }
}

void CLirvanView::OpenFavourites() {
  CFavouritesDialog dialog(m_speaker, this);
  if (RunDialog(dialog) != QDialog::Accepted) return;
  if (dialog.chosenAddress().empty()) {
    // Loading nothing would leave the user in silence.
    m_speaker.Speak(Cp("Bu favorinin adresi bulunamadı"));
    return;
  }
  Navigate(AddressFromUser(FromCp1254(dialog.chosenAddress())));
}

void CLirvanView::GoBack() {
  if (m_pPage->history()->canGoBack()) {
    m_pPage->history()->back();
  } else {
    m_speaker.Speak(Cp("Geri gidilecek sayfa yok"));
  }
}

void CLirvanView::GoForward() {
  if (m_pPage->history()->canGoForward()) {
    m_pPage->history()->forward();
  } else {
    m_speaker.Speak(Cp("İleri gidilecek sayfa yok"));
  }
}

bool CLirvanView::StopLoading() {
  if (!m_bLoading) return false;
  m_bUserStopped = true;
  m_pPage->triggerAction(QWebEnginePage::Stop);
  m_speaker.Speak(Cp("Sayfa yüklemesi durduruldu"));
  return true;
}

void CLirvanView::WhereAmI() {
  if (m_strPageName.segments().empty()) {
    m_speaker.SpeakAndWait(Cp("Sayfa Yükleniyor"));
  } else {
    m_speaker.SpeakAndWait(m_strPageName);
  }
  m_speaker.Speak(Plain(ToCp1254(m_pPage->url().toDisplayString())));
}

void CLirvanView::RetakeSnapshot() {
  if (!m_bPageLoaded) {
    m_speaker.Speak(Cp("Sayfa henüz yüklenmedi"));
    return;
  }
  TakeSnapshot(SnapshotPurpose::Demand);
}

void CLirvanView::OnPrintPage() {
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  if (printerInfo.isNull()) {
    m_speaker.Speak(Cp("Tanımlı bir yazıcı bulunmamaktadır"));
    return;
  }
  m_speaker.Speak(Cp("Yazdırma ekranı açılıyor entır tuşuna basınız"));
  m_printer = std::make_unique<QPrinter>(printerInfo);
  QPrintDialog dialog(m_printer.get(), this);
  if (RunDialog(dialog) != QDialog::Accepted) {
    m_printer.reset();
    return;
  }
  // The page is laid out for the printer in the background.
  connect(m_pBrowser.get(), &QWebEngineView::printFinished, this,
          [this](bool printed) {
            m_speaker.Speak(Cp(printed ? "Sayfa yazıcıya gönderildi" : "Sayfa yazdırılamadı"));
            m_printer.reset();
          },
          Qt::SingleShotConnection);
  m_pBrowser->print(m_printer.get());
}

}  // namespace lirvan
