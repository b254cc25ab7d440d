// SPDX-License-Identifier: MIT
#include "browser/win32/MissingControlText.h"

#include <cwchar>

namespace orv::win32 {

std::wstring missingControlText(ControlProblem problem, HRESULT code)
{
    const std::wstring runtime = L"„Microsoft Edge WebView2 Runtime“";
    const std::wstring where
        = L"Sie erhalten die WebView2 Runtime kostenlos bei Microsoft:\r\n"
          L"https://developer.microsoft.com/microsoft-edge/webview2/\r\n"
          L"(„Evergreen Bootstrapper“ oder „Evergreen Standalone Installer“, x64).";
    switch (problem) {
    case ControlProblem::NotBuilt:
        return L"Webseiten können nicht angezeigt werden: Diese Ausgabe des Programms wurde ohne "
               L"die Anzeige für Webseiten (WebView2) erstellt.\r\n\r\n"
               L"Bitte installieren Sie die Ausgabe für Windows mit ihrem Installationsprogramm.";
    case ControlProblem::LoaderMissing:
        return L"Webseiten können nicht angezeigt werden: Die Datei „WebView2Loader.dll“ fehlt im "
               L"Ordner des Programms.\r\n\r\n"
               L"Bitte installieren Sie das Programm mit seinem Installationsprogramm neu; es legt "
               L"die Datei neben das Programm.";
    case ControlProblem::RuntimeMissing:
        return L"Webseiten können nicht angezeigt werden: Auf diesem Computer ist die " + runtime
            + L" nicht installiert. Das Programm braucht sie, um Webseiten anzuzeigen.\r\n\r\n"
            + where + L"\r\n\r\nStarten Sie das Programm nach der Installation neu.";
    case ControlProblem::StartFailed:
        break;
    }
    wchar_t number[16];
    std::swprintf(number, std::size(number), L"0x%08lX", static_cast<unsigned long>(code));
    return L"Webseiten können nicht angezeigt werden: Die " + runtime + L" ist installiert, ließ "
        + L"sich aber nicht starten (Fehler " + number + L").\r\n\r\n"
        + L"Starten Sie das Programm bitte neu. Hilft das nicht, installieren Sie die WebView2 "
          L"Runtime erneut. "
        + where;
}

} // namespace orv::win32
