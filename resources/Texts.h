// SPDX-License-Identifier: MIT
#pragma once

// The program's fixed German texts and the names under which the toolbar's
// bands and tools are laid out. Kept in one place so that the code that looks
// a tool up and the layout that creates it can never drift apart.

#include <QString>

namespace orv::texts {

inline QString captionPrefix()
{
    return QStringLiteral("Harlund Webbrowser... Kategorie: ");
}

// Category list entries, in list order.
inline QString startseite()
{
    return QStringLiteral("Startseite");
}
inline QString download()
{
    return QStringLiteral("Download");
}
inline QString programminfo()
{
    return QStringLiteral("Programminfo");
}
inline QString support()
{
    return QStringLiteral("Support");
}
inline QString news()
{
    return QStringLiteral("News");
}
inline QString events()
{
    return QStringLiteral("Events");
}
inline QString shop()
{
    return QStringLiteral("Shop");
}
inline QString shoppingBrd()
{
    return QStringLiteral("ShoppingBRD");
}
inline QString shoppingAut()
{
    return QStringLiteral("ShoppingAUT");
}

// Status texts of the browser control.
inline QString statusLoading()
{
    return QStringLiteral("Seite wird geladen: ");
}
inline QString statusDone()
{
    return QStringLiteral("Fertig");
}
inline QString statusLoadFailed()
{
    return QStringLiteral("Die Seite konnte nicht geladen werden: ");
}
inline QString statusCertificateRejected()
{
    return QStringLiteral("Unsicheres Zertifikat, Seite nicht geladen: ");
}
inline QString statusDownloadStarted()
{
    return QStringLiteral("Download gestartet: ");
}
inline QString statusDownloadProgress()
{
    return QStringLiteral("Download läuft: ");
}
inline QString statusDownloadDone()
{
    return QStringLiteral("Download abgeschlossen: ");
}
inline QString statusDownloadFailed()
{
    return QStringLiteral("Download fehlgeschlagen: ");
}
inline QString statusDownloadCancelled()
{
    return QStringLiteral("Download abgebrochen: ");
}
inline QString statusDownloadsCancelledOnClose()
{
    return QStringLiteral("Fenster wird geschlossen, laufende Downloads werden abgebrochen: ");
}
inline QString statusPdfSaved()
{
    return QStringLiteral("PDF gespeichert: ");
}
inline QString statusPdfFailed()
{
    return QStringLiteral("PDF konnte nicht gespeichert werden: ");
}

inline QString statusLoginCancelled()
{
    return QStringLiteral("Anmeldung abgebrochen, Seite nicht geladen: ");
}

// The page's context menu, and the dialog of its picture entry.
inline QString saveImageTitle()
{
    return QStringLiteral("Bild speichern unter");
}
inline QString menuOpenLink()
{
    return QStringLiteral("Link im Browser öffnen");
}
inline QString menuCopyLinkAddress()
{
    return QStringLiteral("Link-Adresse kopieren");
}
inline QString menuSaveImage()
{
    return QStringLiteral("Bild speichern unter…");
}
inline QString menuCut()
{
    return QStringLiteral("Ausschneiden");
}
inline QString menuCopy()
{
    return QStringLiteral("Kopieren");
}
inline QString menuPaste()
{
    return QStringLiteral("Einfügen");
}
inline QString menuBack()
{
    return QStringLiteral("Zurück");
}
inline QString menuForward()
{
    return QStringLiteral("Vorwärts");
}
inline QString menuReload()
{
    return QStringLiteral("Neu laden");
}
inline QString menuPrint()
{
    return QStringLiteral("Drucken…");
}
inline QString menuSaveAsPdf()
{
    return QStringLiteral("Als PDF speichern…");
}
inline QString menuSelectAll()
{
    return QStringLiteral("Alles auswählen");
}

// The questions pages ask through the browser.
inline QString loginTitle()
{
    return QStringLiteral("Anmeldung bei ");
}
inline QString proxyLoginTitle()
{
    return QStringLiteral("Anmeldung am Proxy ");
}
inline QString loginRealm()
{
    return QStringLiteral("Bereich: ");
}
inline QString loginUser()
{
    return QStringLiteral("Benutzername");
}
inline QString loginPassword()
{
    return QStringLiteral("Kennwort");
}
inline QString loginSubmit()
{
    return QStringLiteral("Anmelden");
}
inline QString cancel()
{
    return QStringLiteral("Abbrechen");
}
inline QString permissionTitle()
{
    return QStringLiteral("Berechtigung");
}
// "&" marks the key that answers with Alt.
inline QString allow()
{
    return QStringLiteral("&Erlauben");
}
inline QString deny()
{
    return QStringLiteral("&Ablehnen");
}
// What a page wants to do, completing "Die Seite HOST möchte ...".
inline QString permissionAsk()
{
    return QStringLiteral("Die Seite %1 möchte %2.");
}
inline QString wantsLocation()
{
    return QStringLiteral("Ihren Standort verwenden");
}
inline QString wantsNotifications()
{
    return QStringLiteral("Ihnen Mitteilungen anzeigen");
}
inline QString wantsMicrophone()
{
    return QStringLiteral("Ihr Mikrofon verwenden");
}
inline QString wantsCamera()
{
    return QStringLiteral("Ihre Kamera verwenden");
}
inline QString wantsCameraAndMicrophone()
{
    return QStringLiteral("Ihre Kamera und Ihr Mikrofon verwenden");
}
inline QString wantsScreen()
{
    return QStringLiteral("Ihren Bildschirm aufnehmen");
}
inline QString wantsScreenAndSound()
{
    return QStringLiteral("Ihren Bildschirm mit Ton aufnehmen");
}
inline QString wantsMouse()
{
    return QStringLiteral("den Mauszeiger ausblenden und die Maus allein steuern");
}
inline QString wantsOther()
{
    return QStringLiteral("eine weitere Berechtigung erhalten");
}

} // namespace orv::texts

namespace orv::names {

inline QString band1()
{
    return QStringLiteral("Band1");
}
inline QString statusBar()
{
    return QStringLiteral("StatusBar");
}
inline QString idBeenden()
{
    return QStringLiteral("ID_Beenden");
}
inline QString idZurueck()
{
    return QStringLiteral("ID_Zurück");
}
inline QString idVorwaerts()
{
    return QStringLiteral("ID_Vorwärts");
}
inline QString idStop()
{
    return QStringLiteral("ID_Stop");
}
inline QString idAktualisieren()
{
    return QStringLiteral("ID_Aktualisieren");
}
inline QString idSeite()
{
    return QStringLiteral("ID_Seite");
}
inline QString idInfo()
{
    return QStringLiteral("ID_Info");
}
inline QString statusInfo()
{
    return QStringLiteral("Status_Info");
}

} // namespace orv::names
