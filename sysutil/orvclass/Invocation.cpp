// SPDX-License-Identifier: MIT
#include "sysutil/orvclass/Invocation.h"

#include "core/Failure.h"
#include "core/Numeric.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <variant>

namespace orv::orvclass {

namespace {

enum class Kind { Int32, Boolean, Number, Text, TextList, Date, ComboBox, PictureBox };

struct Parameter
{
    std::wstring_view name;
    Kind kind;
    bool inOut = false;
    bool optional = false;
};

using Value = std::variant<std::int32_t, bool, std::optional<double>, std::wstring,
    std::vector<std::wstring>, DateTime>;
using Result = std::variant<std::monostate, std::int32_t, bool, std::wstring, Variant>;

class Call;

struct Operation
{
    std::wstring_view name;
    std::vector<Parameter> parameters;
    bool hasResult = false;
    std::function<Result(orvClassWindows &, Call &)> invoke;
};

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Names compare like automation names: ASCII and Latin-1 letters without case.
std::wstring folded(std::wstring_view text)
{
    std::wstring result(text);
    for (wchar_t &c : result) {
        if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<wchar_t>(c + 0x20);
    }
    return result;
}

std::string utf8(std::wstring_view text)
{
    return platform::toUtf8(text);
}

std::int32_t parseInt32(std::wstring_view text)
{
    const std::string narrow = utf8(text);
    std::string_view digits = narrow;
    if (digits.starts_with("&H") || digits.starts_with("&h") || digits.starts_with("0x")
        || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        std::uint32_t value = 0;
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            throw UsageError("not a number: " + narrow);
        return static_cast<std::int32_t>(value);
    }
    try {
        return textToInt32(narrow);
    } catch (const Failure &) {
        throw UsageError("not a 32-bit number: " + narrow);
    }
}

double parseNumber(std::wstring_view text)
{
    try {
        return textToNumber(utf8(text));
    } catch (const Failure &) {
        throw UsageError("not a number: " + utf8(text));
    }
}

bool parseBoolean(std::wstring_view text)
{
    const std::wstring word = folded(text);
    if (word == L"true")
        return true;
    if (word == L"false")
        return false;
    return parseNumber(text) != 0.0;
}

// "YYYY-MM-DD", or with " HH:MM:SS" (or "THH:MM:SS") after it: digits only, a day
// the calendar has, in the years automation dates reach (100 to 9999). An
// oversized field is refused, not wrapped into another date.
DateTime parseDate(std::wstring_view text)
{
    const std::string narrow = utf8(text);
    const UsageError wrong("not a date (YYYY-MM-DD[ HH:MM:SS], years 100 to 9999): " + narrow);
    std::string_view rest = narrow;
    const auto field = [&](std::int32_t &value, char after) {
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error != std::errc() || rest.front() == '-')
            throw wrong;
        rest.remove_prefix(std::size_t(end - rest.data()));
        if (after != '\0') {
            if (!rest.starts_with(after))
                throw wrong;
            rest.remove_prefix(1);
        }
    };
    DateTime date;
    field(date.year, '-');
    field(date.month, '-');
    field(date.day, '\0');
    if (rest.starts_with(' ') || rest.starts_with('T')) {
        rest.remove_prefix(1);
        field(date.hour, ':');
        field(date.minute, ':');
        field(date.second, '\0');
    }
    if (!rest.empty() || date.year < 100 || date.year > 9999 || date.month < 1 || date.month > 12
        || date.day < 1 || date.day > 31 || date.hour > 23 || date.minute > 59 || date.second > 59)
        throw wrong;
    const std::chrono::year_month_day day { std::chrono::year(date.year),
        std::chrono::month(unsigned(date.month)), std::chrono::day(unsigned(date.day)) };
    if (!day.ok())
        throw wrong;
    return date;
}

std::string formatDate(const DateTime &date)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
        date.day, date.hour, date.minute, date.second);
    return text;
}

std::string formatBoolean(bool value)
{
    return value ? "True" : "False";
}

// One "Name=Value" line per value; a list gives one line per element.
void report(std::string &out, std::wstring_view name, const Value &value)
{
    const std::string key = utf8(name);
    std::visit(
        [&](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t>)
                out += key + '=' + std::to_string(v) + '\n';
            else if constexpr (std::is_same_v<T, bool>)
                out += key + '=' + formatBoolean(v) + '\n';
            else if constexpr (std::is_same_v<T, std::wstring>)
                out += key + '=' + utf8(v) + '\n';
            else if constexpr (std::is_same_v<T, DateTime>)
                out += key + '=' + formatDate(v) + '\n';
            else if constexpr (std::is_same_v<T, std::vector<std::wstring>>) {
                if (v.empty())
                    out += key + "=\n";
                for (std::size_t i = 0; i < v.size(); ++i)
                    out += key + '(' + std::to_string(i) + ")=" + utf8(v[i]) + '\n';
            }
        },
        value);
}

std::string formatResult(const Result &result)
{
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t>)
                return std::to_string(v);
            else if constexpr (std::is_same_v<T, bool>)
                return formatBoolean(v);
            else if constexpr (std::is_same_v<T, std::wstring>)
                return utf8(v);
            else if constexpr (std::is_same_v<T, Variant>)
                return std::visit(
                    [](const auto &inner) -> std::string {
                        using U = std::decay_t<decltype(inner)>;
                        if constexpr (std::is_same_v<U, std::monostate>)
                            return "Empty";
                        else if constexpr (std::is_same_v<U, bool>)
                            return formatBoolean(inner);
                        else if constexpr (std::is_same_v<U, std::int32_t>)
                            return std::to_string(inner);
                        else
                            return utf8(inner);
                    },
                    v);
            else
                return {};
        },
        result);
}

// The arguments of one call: parsed up front, handed to the operation as the
// variables it reads and writes, reported after it.
class Call
{
public:
    Call(const Operation &operation, Controls *controls)
        : m_operation(operation), m_controls(controls)
    {
    }

    void give(std::wstring_view name, std::wstring_view text)
    {
        // The settings of the controls the program makes.
        if (m_controls && takes(Kind::ComboBox) && folded(name) == folded(L"Item")) {
            m_items.emplace_back(text);
            return;
        }
        if (m_controls && takes(Kind::PictureBox) && folded(name) == folded(L"out")) {
            m_pictureFile = std::wstring(text);
            return;
        }
        const Parameter &parameter = find(name);
        const std::wstring key(parameter.name);
        if (parameter.kind == Kind::ComboBox || parameter.kind == Kind::PictureBox)
            throw UsageError(utf8(m_operation.name) + ": " + utf8(key)
                + " is a control object, which a command line cannot give");
        if (m_given.contains(key) && parameter.kind != Kind::TextList)
            throw UsageError(utf8(key) + " is given twice");
        m_given.insert(key);
        switch (parameter.kind) {
        case Kind::Int32:
            m_values[key] = parseInt32(text);
            break;
        case Kind::Boolean:
            m_values[key] = parseBoolean(text);
            break;
        case Kind::Number:
            m_values[key] = std::optional<double>(parseNumber(text));
            break;
        case Kind::Text:
            m_values[key] = std::wstring(text);
            break;
        case Kind::TextList:
            get<std::vector<std::wstring>>(key).emplace_back(text);
            break;
        case Kind::Date:
            m_values[key] = parseDate(text);
            break;
        case Kind::ComboBox:
        case Kind::PictureBox:
            break;
        }
    }

    ComboBoxObject &comboBox(std::wstring_view name)
    {
        ComboBoxObject *combo = m_controls ? m_controls->comboBox(m_items) : nullptr;
        if (!combo)
            needsControl(name);
        return *combo;
    }
    PictureBoxObject &pictureBox(std::wstring_view name)
    {
        PictureBoxObject *picture = m_controls ? m_controls->pictureBox() : nullptr;
        if (!picture)
            needsControl(name);
        return *picture;
    }
    // What the operation left in its controls, reported with the in/out parameters.
    void controlsUsed(std::wstring_view name)
    {
        const std::string prefix = utf8(std::wstring(name)) + '.';
        std::string &out = m_controlReports[std::wstring(name)];
        if (takes(Kind::ComboBox)) {
            out += prefix + "Height=" + std::to_string(m_controls->comboHeight()) + '\n';
            out += prefix + "ListWidth=" + std::to_string(m_controls->comboListWidth()) + '\n';
        } else if (m_pictureFile) {
            if (!m_controls->savePicture(*m_pictureFile))
                throw UsageError("the picture cannot be saved as " + utf8(*m_pictureFile));
            out += prefix + "Picture=" + utf8(*m_pictureFile) + '\n';
        }
    }

    std::int32_t &int32(std::wstring_view name) { return get<std::int32_t>(name); }
    std::int32_t *optionalInt32(std::wstring_view name)
    {
        return given(name) ? &int32(name) : nullptr;
    }
    bool &boolean(std::wstring_view name) { return get<bool>(name); }
    std::optional<double> number(std::wstring_view name)
    {
        return get<std::optional<double>>(name);
    }
    std::wstring &text(std::wstring_view name) { return get<std::wstring>(name); }
    std::wstring *optionalText(std::wstring_view name)
    {
        return given(name) ? &text(name) : nullptr;
    }
    std::vector<std::wstring> &textList(std::wstring_view name)
    {
        return get<std::vector<std::wstring>>(name);
    }
    DateTime &date(std::wstring_view name) { return get<DateTime>(name); }

    [[noreturn]] void needsControl(std::wstring_view name) const
    {
        throw UsageError(utf8(m_operation.name) + " needs a control object (" + utf8(name)
            + (m_controls ? "), which cannot be made here (no display?)"
                          : "), which a command line cannot give"));
    }

    // The in/out parameters after the call, in interface order.
    std::string inOutReport() const
    {
        std::string out;
        for (const Parameter &parameter : m_operation.parameters) {
            const std::wstring key(parameter.name);
            if (const auto controls = m_controlReports.find(key);
                controls != m_controlReports.end())
                out += controls->second;
            if (!parameter.inOut || (parameter.optional && !given(key)))
                continue;
            if (const auto value = m_values.find(key); value != m_values.end())
                report(out, key, value->second);
        }
        return out;
    }

private:
    const Parameter &find(std::wstring_view name) const
    {
        for (const Parameter &parameter : m_operation.parameters) {
            if (folded(parameter.name) == folded(name))
                return parameter;
        }
        throw UsageError(
            utf8(m_operation.name) + " has no parameter named " + utf8(std::wstring(name)));
    }

    bool given(std::wstring_view name) const { return m_given.contains(std::wstring(name)); }

    bool takes(Kind kind) const
    {
        return std::any_of(m_operation.parameters.begin(), m_operation.parameters.end(),
            [kind](const Parameter &parameter) { return parameter.kind == kind; });
    }

    template <typename T> T &get(std::wstring_view name)
    {
        auto [entry, inserted] = m_values.try_emplace(std::wstring(name), T {});
        return std::get<T>(entry->second);
    }

    const Operation &m_operation;
    Controls *m_controls;
    std::map<std::wstring, Value> m_values;
    std::set<std::wstring> m_given;
    std::vector<std::wstring> m_items;
    std::optional<std::wstring> m_pictureFile;
    std::map<std::wstring, std::string> m_controlReports;
};

constexpr bool kInOut = true;
constexpr bool kOptional = true;

const std::vector<Operation> &operations()
{
    using O = orvClassWindows;
    static const std::vector<Operation> table {
        { L"SetComboBoxHeight",
            { { L"ComboBox", Kind::ComboBox, kInOut }, { L"NewHeight", Kind::Int32 } }, false,
            [](O &o, Call &c) -> Result {
                o.SetComboBoxHeight(c.comboBox(L"ComboBox"), c.int32(L"NewHeight"));
                c.controlsUsed(L"ComboBox");
                return {};
            } },
        { L"ComboSetListWidth",
            { { L"oCombo", Kind::ComboBox, kInOut },
                { L"nFixWidth", Kind::Number, false, kOptional },
                { L"nScaleMode", Kind::Number, false, kOptional } },
            false,
            [](O &o, Call &c) -> Result {
                o.ComboSetListWidth(
                    c.comboBox(L"oCombo"), c.number(L"nFixWidth"), c.number(L"nScaleMode"));
                c.controlsUsed(L"oCombo");
                return {};
            } },
        { L"ShowControlPanels",
            { { L"Index", Kind::Int32, kInOut }, { L"pTab", Kind::Int32, kInOut, kOptional } },
            false,
            [](O &o, Call &c) -> Result {
                o.ShowControlPanels(c.int32(L"Index"), c.optionalInt32(L"pTab"));
                return {};
            } },
        { L"ShowDatumTime", {}, false,
            [](O &o, Call &) -> Result {
                o.ShowDatumTime();
                return {};
            } },
        { L"ShowSysInfo", {}, false,
            [](O &o, Call &) -> Result {
                o.ShowSysInfo();
                return {};
            } },
        { L"GetBrowseDirectory",
            { { L"frmhWnd", Kind::Int32, kInOut }, { L"xPfad", Kind::Text, kInOut, kOptional } },
            true,
            [](O &o, Call &c) -> Result {
                return o.GetBrowseDirectory(c.int32(L"frmhWnd"), c.optionalText(L"xPfad"));
            } },
        { L"ShowFind",
            { { L"frmhWnd", Kind::Int32, kInOut }, { L"Pfad", Kind::Text, kInOut, kOptional } },
            false,
            [](O &o, Call &c) -> Result {
                o.ShowFind(c.int32(L"frmhWnd"), c.optionalText(L"Pfad"));
                return {};
            } },
        { L"ShowFileProperties",
            { { L"frmhWnd", Kind::Int32, kInOut }, { L"FileName", Kind::Text, kInOut, kOptional } },
            true,
            [](O &o, Call &c) -> Result {
                return o.ShowFileProperties(c.int32(L"frmhWnd"), c.optionalText(L"FileName"));
            } },
        { L"GetFileIcon",
            { { L"picBuff", Kind::PictureBox, kInOut }, { L"xFile", Kind::Text, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                const Variant result = o.GetFileIcon(c.pictureBox(L"picBuff"), c.text(L"xFile"));
                c.controlsUsed(L"picBuff");
                return result;
            } },
        { L"GetFileIconEx",
            { { L"picBuff", Kind::PictureBox, kInOut }, { L"xFile", Kind::Text, kInOut },
                { L"largeIcon", Kind::Boolean, false, kOptional },
                { L"GetFileIconName", Kind::Text, kInOut, kOptional } },
            true,
            [](O &o, Call &c) -> Result {
                const bool result = o.GetFileIconEx(c.pictureBox(L"picBuff"), c.text(L"xFile"),
                    c.boolean(L"largeIcon"), c.optionalText(L"GetFileIconName"));
                c.controlsUsed(L"picBuff");
                return result;
            } },
        { L"GetFileEx", { { L"xFile", Kind::Text, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                return o.GetFileEx(c.text(L"xFile"));
            } },
        { L"GetShellPersonalLocation", { { L"lnghWnd", Kind::Int32, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                return o.GetShellPersonalLocation(c.int32(L"lnghWnd"));
            } },
        { L"SetStartleiste", { { L"Visible", Kind::Boolean, false, kOptional } }, true,
            [](O &o, Call &c) -> Result {
                return o.SetStartleiste(c.boolean(L"Visible"));
            } },
        { L"OSBuild", {}, true,
            [](O &o, Call &) -> Result {
                return o.OSBuild();
            } },
        { L"OSMajorVersion", {}, true,
            [](O &o, Call &) -> Result {
                return o.OSMajorVersion();
            } },
        { L"OSMinorVersion", {}, true,
            [](O &o, Call &) -> Result {
                return o.OSMinorVersion();
            } },
        { L"FileCopy",
            { { L"hwnd", Kind::Int32 }, { L"xFromFile", Kind::Text }, { L"xToFile", Kind::Text } },
            false,
            [](O &o, Call &c) -> Result {
                o.FileCopy(c.int32(L"hwnd"), c.text(L"xFromFile"), c.text(L"xToFile"));
                return {};
            } },
        { L"FileMove",
            { { L"hwnd", Kind::Int32 }, { L"xFromFile", Kind::Text }, { L"xToFile", Kind::Text } },
            false,
            [](O &o, Call &c) -> Result {
                o.FileMove(c.int32(L"hwnd"), c.text(L"xFromFile"), c.text(L"xToFile"));
                return {};
            } },
        { L"FileDelete",
            { { L"xWnd", Kind::Int32, kInOut }, { L"xFile", Kind::Text },
                { L"xUndo", Kind::Boolean, false, kOptional } },
            false,
            [](O &o, Call &c) -> Result {
                o.FileDelete(c.int32(L"xWnd"), c.text(L"xFile"), c.boolean(L"xUndo"));
                return {};
            } },
        { L"FileCopyClipboard", { { L"files", Kind::TextList, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                return o.FileCopyClipboard(c.textList(L"files"));
            } },
        { L"FilePasteClipboard", { { L"files", Kind::TextList, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                return o.FilePasteClipboard(c.textList(L"files"));
            } },
        { L"PDF_Öffnen", { { L"uFilePath", Kind::Text } }, true,
            [](O &o, Call &c) -> Result {
                return o.PDF_Öffnen(c.text(L"uFilePath"));
            } },
        { L"Datei_ausführen",
            { { L"uFilePath", Kind::Text }, { L"uProperties", Kind::Text },
                { L"uWarten", Kind::Boolean, kInOut } },
            true,
            [](O &o, Call &c) -> Result {
                return o.Datei_ausführen(
                    c.text(L"uFilePath"), c.text(L"uProperties"), c.boolean(L"uWarten"));
            } },
        { L"EXE_ausführen",
            { { L"EXE", Kind::Text, kInOut }, { L"bWarten", Kind::Boolean, kInOut },
                { L"dat", Kind::Boolean, kInOut } },
            true,
            [](O &o, Call &c) -> Result {
                return o.EXE_ausführen(c.text(L"EXE"), c.boolean(L"bWarten"), c.boolean(L"dat"));
            } },
        { L"ShowInternet",
            { { L"Wnd", Kind::Int32, kInOut }, { L"URL", Kind::Text, kInOut, kOptional } }, false,
            [](O &o, Call &c) -> Result {
                o.ShowInternet(c.int32(L"Wnd"), c.optionalText(L"URL"));
                return {};
            } },
        { L"GetShortFileName", { { L"strLongPath", Kind::Text } }, true,
            [](O &o, Call &c) -> Result {
                return o.GetShortFileName(c.text(L"strLongPath"));
            } },
        { L"GetFileVersion",
            { { L"FullFileName", Kind::Text, kInOut }, { L"dat", Kind::Int32, false, kOptional } },
            true,
            [](O &o, Call &c) -> Result {
                return o.GetFileVersion(c.text(L"FullFileName"), c.int32(L"dat"));
            } },
        { L"GetPlatform", {}, true,
            [](O &o, Call &) -> Result {
                return o.GetPlatform();
            } },
        { L"DirFile",
            { { L"datFile", Kind::TextList, kInOut }, { L"vsFolderPath", Kind::Text },
                { L"vsSearch", Kind::Text } },
            false,
            [](O &o, Call &c) -> Result {
                o.DirFile(c.textList(L"datFile"), c.text(L"vsFolderPath"), c.text(L"vsSearch"));
                return {};
            } },
        { L"ReadFileTime",
            { { L"lpFileName", Kind::Text }, { L"tCreation", Kind::Date, kInOut },
                { L"tLastAccess", Kind::Date, kInOut }, { L"tLastWrite", Kind::Date, kInOut } },
            true,
            [](O &o, Call &c) -> Result {
                return o.ReadFileTime(c.text(L"lpFileName"), c.date(L"tCreation"),
                    c.date(L"tLastAccess"), c.date(L"tLastWrite"));
            } },
        { L"ReadFileLastTime",
            { { L"lpFileName", Kind::Text }, { L"tLastWrite", Kind::Date, kInOut } }, true,
            [](O &o, Call &c) -> Result {
                return o.ReadFileLastTime(c.text(L"lpFileName"), c.date(L"tLastWrite"));
            } },
        { L"TranspPic",
            { { L"OutDstDC", Kind::Int32, kInOut }, { L"DstDC", Kind::Int32, kInOut },
                { L"SrcDC", Kind::Int32, kInOut }, { L"SrcX", Kind::Int32, kInOut },
                { L"SrcY", Kind::Int32, kInOut }, { L"SrcXX", Kind::Int32, kInOut },
                { L"SrcYY", Kind::Int32, kInOut }, { L"DstX", Kind::Int32 },
                { L"DstY", Kind::Int32 }, { L"TransColor", Kind::Int32, kInOut } },
            false,
            [](O &o, Call &c) -> Result {
                o.TranspPic(c.int32(L"OutDstDC"), c.int32(L"DstDC"), c.int32(L"SrcDC"),
                    c.int32(L"SrcX"), c.int32(L"SrcY"), c.int32(L"SrcXX"), c.int32(L"SrcYY"),
                    c.int32(L"DstX"), c.int32(L"DstY"), c.int32(L"TransColor"));
                return {};
            } },
    };
    return table;
}

const Operation *findOperation(std::wstring_view name)
{
    for (const Operation &operation : operations()) {
        if (folded(operation.name) == folded(name))
            return &operation;
    }
    return nullptr;
}

std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::Int32:
        return "32-bit";
    case Kind::Boolean:
        return "Boolean";
    case Kind::Number:
        return "number";
    case Kind::Text:
        return "text";
    case Kind::TextList:
        return "text list";
    case Kind::Date:
        return "date-time";
    case Kind::ComboBox:
    case Kind::PictureBox:
        return "control";
    }
    return {};
}

} // namespace

Outcome invoke(
    orvClassWindows &object, const std::vector<std::wstring> &arguments, Controls *controls)
{
    if (arguments.empty())
        return { ExitCode::UsageError, "no operation named\n" };
    const Operation *operation = findOperation(arguments.front());
    if (!operation)
        return { ExitCode::UsageError, "no operation named " + utf8(arguments.front()) + '\n' };
    try {
        Call call(*operation, controls);
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            const std::size_t equals = arguments[i].find(L'=');
            if (equals == std::wstring::npos)
                throw UsageError("an argument is Name=Value: " + utf8(arguments[i]));
            call.give(std::wstring_view(arguments[i]).substr(0, equals),
                std::wstring_view(arguments[i]).substr(equals + 1));
        }
        std::string text;
        try {
            const Result result = operation->invoke(object, call);
            if (operation->hasResult)
                text += "result=" + formatResult(result) + '\n';
        } catch (const Failure &failure) {
            text += "error=" + std::to_string(failure.number()) + ' ' + failure.what() + '\n';
            return { ExitCode::OperationFailed, text + call.inOutReport() };
        }
        return { ExitCode::Done, text + call.inOutReport() };
    } catch (const UsageError &error) {
        return { ExitCode::UsageError, std::string(error.what()) + '\n' };
    }
}

std::string operationList()
{
    std::string out;
    for (const Operation &operation : operations()) {
        out += utf8(operation.name);
        for (const Parameter &parameter : operation.parameters) {
            out += ' ' + utf8(parameter.name) + '=' + std::string(kindName(parameter.kind));
            if (parameter.inOut)
                out += ",in/out";
            if (parameter.optional)
                out += ",optional";
        }
        if (operation.hasResult)
            out += " -> result";
        out += '\n';
    }
    return out;
}

} // namespace orv::orvclass
