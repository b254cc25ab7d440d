// SPDX-License-Identifier: MIT
#pragma once

// The program's fixed German texts and the names under which the toolbar's
// bands and tools are laid out, as UTF-8. Every window build shows these
// same texts; each converts them once where it hands them to its toolkit.
// Kept in one place so that the code that looks a tool up and the layout
// that creates it can never drift apart.

#include <string_view>

namespace orv::texts {

inline constexpr std::string_view captionPrefix = "Harlund Webbrowser... Kategorie: ";

// Category list entries, in list order, and the two other spellings of the shop.
inline constexpr std::string_view startseite = "Startseite";
inline constexpr std::string_view download = "Download";
inline constexpr std::string_view programminfo = "Programminfo";
inline constexpr std::string_view support = "Support";
inline constexpr std::string_view news = "News";
inline constexpr std::string_view events = "Events";
inline constexpr std::string_view shop = "Shop";
inline constexpr std::string_view shoppingBrd = "ShoppingBRD";
inline constexpr std::string_view shoppingAut = "ShoppingAUT";

// Status texts of the browser control.
inline constexpr std::string_view statusLoading = "Seite wird geladen: ";
inline constexpr std::string_view statusDone = "Fertig";
inline constexpr std::string_view statusLoadFailed = "Die Seite konnte nicht geladen werden: ";
inline constexpr std::string_view statusCertificateRejected
    = "Unsicheres Zertifikat, Seite nicht geladen: ";
inline constexpr std::string_view statusDownloadStarted = "Download gestartet: ";
inline constexpr std::string_view statusDownloadProgress = "Download läuft: ";
inline constexpr std::string_view statusDownloadDone = "Download abgeschlossen: ";
inline constexpr std::string_view statusDownloadFailed = "Download fehlgeschlagen: ";
inline constexpr std::string_view statusDownloadCancelled = "Download abgebrochen: ";
// Why a download failed where the engine gives no reason of its own.
inline constexpr std::string_view downloadConnectionLost = "Verbindung zum Server abgebrochen";
inline constexpr std::string_view statusDownloadsCancelledOnClose
    = "Fenster wird geschlossen, laufende Downloads werden abgebrochen: ";
inline constexpr std::string_view statusPdfSaved = "PDF gespeichert: ";
inline constexpr std::string_view statusPdfFailed = "PDF konnte nicht gespeichert werden: ";
inline constexpr std::string_view statusUnresponsive = "Seite reagiert nicht: ";
inline constexpr std::string_view statusLoginCancelled
    = "Anmeldung abgebrochen, Seite nicht geladen: ";

// The page's context menu, and the dialog of its picture entry.
inline constexpr std::string_view saveImageTitle = "Bild speichern unter";
inline constexpr std::string_view menuOpenLink = "Link im Browser öffnen";
inline constexpr std::string_view menuCopyLinkAddress = "Link-Adresse kopieren";
inline constexpr std::string_view menuSaveImage = "Bild speichern unter…";
inline constexpr std::string_view menuCut = "Ausschneiden";
inline constexpr std::string_view menuCopy = "Kopieren";
inline constexpr std::string_view menuPaste = "Einfügen";
inline constexpr std::string_view menuBack = "Zurück";
inline constexpr std::string_view menuForward = "Vorwärts";
inline constexpr std::string_view menuReload = "Neu laden";
inline constexpr std::string_view menuPrint = "Drucken…";
inline constexpr std::string_view menuSaveAsPdf = "Als PDF speichern…";
inline constexpr std::string_view menuSelectAll = "Alles auswählen";
inline constexpr std::string_view menuOpenPageInDefaultBrowser = "Seite im Standardbrowser öffnen";
// Below the spelling suggestions for a word the dictionary does not know.
inline constexpr std::string_view menuAddToDictionary = "Zum Wörterbuch hinzufügen";
// The button of a page's notification on the desktop that brings its window forward.
inline constexpr std::string_view notificationShow = "Anzeigen";

// The questions pages ask through the browser.
inline constexpr std::string_view loginTitle = "Anmeldung bei ";
inline constexpr std::string_view proxyLoginTitle = "Anmeldung am Proxy ";
inline constexpr std::string_view loginRealm = "Bereich: ";
inline constexpr std::string_view loginUser = "Benutzername";
inline constexpr std::string_view loginPassword = "Kennwort";
inline constexpr std::string_view loginSubmit = "Anmelden";
inline constexpr std::string_view cancel = "Abbrechen";
inline constexpr std::string_view permissionTitle = "Berechtigung";
// "&" marks the key that answers with Alt.
inline constexpr std::string_view allow = "&Erlauben";
inline constexpr std::string_view deny = "&Ablehnen";
// What a page wants to do, completing "Die Seite HOST möchte ...".
inline constexpr std::string_view permissionAsk = "Die Seite %1 möchte %2.";
inline constexpr std::string_view wantsLocation = "Ihren Standort verwenden";
inline constexpr std::string_view wantsNotifications = "Ihnen Mitteilungen anzeigen";
inline constexpr std::string_view wantsMicrophone = "Ihr Mikrofon verwenden";
inline constexpr std::string_view wantsCamera = "Ihre Kamera verwenden";
inline constexpr std::string_view wantsCameraAndMicrophone
    = "Ihre Kamera und Ihr Mikrofon verwenden";
inline constexpr std::string_view wantsScreen = "Ihren Bildschirm aufnehmen";
inline constexpr std::string_view wantsScreenAndSound = "Ihren Bildschirm mit Ton aufnehmen";
inline constexpr std::string_view wantsMouse
    = "den Mauszeiger ausblenden und die Maus allein steuern";
inline constexpr std::string_view wantsOther = "eine weitere Berechtigung erhalten";

// The pages shown in place of one that could not be shown: a title, what
// happened, and the button that loads the address again.
namespace pages {
inline constexpr std::string_view unreachable = "Seite nicht erreichbar";
inline constexpr std::string_view crashed = "Seite abgestürzt";
inline constexpr std::string_view unresponsive = "Seite reagiert nicht";
inline constexpr std::string_view loginNeeded = "Anmeldung erforderlich";
inline constexpr std::string_view tryAgain = "Erneut versuchen";
inline constexpr std::string_view reload = "Neu laden";
inline constexpr std::string_view noNetwork
    = "Dieser Computer ist gerade mit keinem Netzwerk verbunden.";
inline constexpr std::string_view nameNotFound = "Der Name des Servers wurde nicht gefunden.";
inline constexpr std::string_view refused = "Der Server hat die Verbindung abgelehnt.";
inline constexpr std::string_view timeout = "Der Server hat nicht rechtzeitig geantwortet.";
inline constexpr std::string_view certificate
    = "Das Zertifikat des Servers ist nicht vertrauenswürdig, darum wurde die Seite nicht geladen.";
inline constexpr std::string_view notReached = "Die Seite konnte nicht erreicht werden.";
inline constexpr std::string_view crashedSentence
    = "Die Anzeige dieser Seite ist wiederholt abgestürzt und wurde angehalten.";
inline constexpr std::string_view loginCancelled
    = "Diese Seite zeigt der Server nur nach einer Anmeldung. Die Anmeldung wurde abgebrochen.";
inline constexpr std::string_view unresponsiveSentence
    = "Ein Skript dieser Seite läuft ohne Ende; sie zeigt nichts Neues mehr und nimmt keine "
      "Eingaben an. Neu laden beendet es und lädt die Seite neu.";
// Above the last good copy of a page whose server does not answer, around
// the date and time it was saved ("05.12.2026, 14:03").
inline constexpr std::string_view lastSeenBefore = "Gespeicherte Fassung vom ";
inline constexpr std::string_view lastSeenAfter = " — keine Verbindung zum Server";
} // namespace pages

// The Info window.
namespace info {
inline constexpr std::string_view title = "Info";
inline constexpr std::string_view program = "Orvel Browser";
inline constexpr std::string_view versionPrefix = "Version: ";
inline constexpr std::string_view homePageTip = "Harlund Homepage";
inline constexpr std::string_view systemInfo = "Systeminfo";
inline constexpr std::string_view systemInfoTip = "Systeminformationen";
inline constexpr std::string_view kontakt = "Kontakt";
inline constexpr std::string_view vertrieb = "Vertrieb";
inline constexpr std::string_view autoren = "Autoren";
inline constexpr std::string_view schliessen = "Schließen";
inline constexpr std::string_view oesterreich = "Österreich";
inline constexpr std::string_view deutschland = "Deutschland";
inline constexpr std::string_view copyTip = "Kontakt in die Zwischenablage Kopieren";
inline constexpr std::string_view projectLead = "Projektleitung:";
inline constexpr std::string_view programming = "Programmierung:";
// The sales page, in the four pieces it is written in, each ending in its blank.
inline constexpr std::string_view sales[]
    = { "Unsere Produkte sind ebenso im Fachhandel erhältlich. ",
          "Fordern Sie eine Liste unserer lizensierten Handelspartner an oder besuchen Sie unsere "
          "Internetseite, ",
          "auf der alle Handelspartner aufgelistet sind. Weiters finden Sie dort die aktuellsten "
          "Demo-Versionen ",
          "zum Download und viele interesante Neuigkeiten wie Schulungen und "
          "Informationsveranstaltungen." };
} // namespace info

} // namespace orv::texts

namespace orv::names {

inline constexpr std::string_view band1 = "Band1";
inline constexpr std::string_view statusBar = "StatusBar";
inline constexpr std::string_view idBeenden = "ID_Beenden";
inline constexpr std::string_view idZurueck = "ID_Zurück";
inline constexpr std::string_view idVorwaerts = "ID_Vorwärts";
inline constexpr std::string_view idStop = "ID_Stop";
inline constexpr std::string_view idAktualisieren = "ID_Aktualisieren";
inline constexpr std::string_view idSeite = "ID_Seite";
inline constexpr std::string_view idInfo = "ID_Info";
inline constexpr std::string_view statusInfo = "Status_Info";

} // namespace orv::names
