// SPDX-License-Identifier: MIT
#pragma once

// QTestLite: the part of QtTest that the standard-library tests use, for the
// Windows build, which has no Qt. A test source is written against QtTest and
// builds unchanged against this: test classes with Q_OBJECT and private
// Q_SLOTS, _data() tables with addColumn/newRow, QFETCH, QCOMPARE, QVERIFY,
// QVERIFY2, QFAIL, QSKIP, and QTEST_APPLESS_MAIN. In place of moc, the build
// scans a test source for its slots and generates the "<source>.moc" that the
// source includes; that file registers the slots with the runner below.
//
// Output and exit code follow QtTest: PASS/FAIL!/SKIP lines, a Totals line,
// and the number of failed test functions as the exit code.

#include <any>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

class QObject
{
public:
    virtual ~QObject() = default;
};

using qint64 = std::int64_t;
using quint64 = std::uint64_t;
using qint32 = std::int32_t;
using quint32 = std::uint32_t;
using qint16 = std::int16_t;
using quint16 = std::uint16_t;

namespace QTestLite {

// Specialised for each test class by its generated registration; befriended by
// Q_OBJECT so that the registration reaches the private slots.
template <typename TestClass> struct Access;

using Slot = std::function<void(QObject &)>;

void addClass(std::type_index type, const char *name);
void addFunction(std::type_index type, const char *name, Slot function, Slot data);
int run(std::type_index type, QObject &object, int argc, char **argv);

// The running test's table and state.
void addColumn(const char *name, std::type_index type);
void addCell(std::any value, std::type_index type);
const std::any &cell(const char *name, std::type_index type);
bool verify(
    bool condition, const char *expression, const std::string &message, const char *file, int line);
bool compared(bool equal, const std::string &actual, const std::string &expected,
    const char *actualExpression, const char *expectedExpression, const char *file, int line);
void skip(const char *message, const char *file, int line);
void failNow(const char *message, const char *file, int line);

template <typename T> std::string describe(const T &value);

} // namespace QTestLite

namespace QTest {

class Row
{
public:
    template <typename T> Row &operator<<(const T &value)
    {
        QTestLite::addCell(std::any(value), std::type_index(typeid(T)));
        return *this;
    }
    Row &operator<<(const char *text)
    {
        QTestLite::addCell(std::any(text), std::type_index(typeid(const char *)));
        return *this;
    }
};

template <typename T> void addColumn(const char *name)
{
    QTestLite::addColumn(name, std::type_index(typeid(T)));
}

Row &newRow(const char *dataTag);
const char *currentDataTag();
const char *currentTestFunction();

// Text of a value in a failure report; specialise it for a type of your own,
// as with QtTest. The caller frees the text with delete[].
template <typename T> char *toString(const T &value)
{
    std::ostringstream text;
    if constexpr (std::is_same_v<T, bool>) {
        text << (value ? "true" : "false");
    } else if constexpr (std::is_enum_v<T>) {
        text << static_cast<long long>(value);
    } else if constexpr (requires(std::ostream & out) { out << value; }) {
        text << value;
    } else {
        return nullptr;
    }
    const std::string result = text.str();
    char *copy = new char[result.size() + 1];
    std::memcpy(copy, result.c_str(), result.size() + 1);
    return copy;
}

} // namespace QTest

namespace QTestLite {

template <typename T> std::string describe(const T &value)
{
    char *text = QTest::toString(value);
    if (!text)
        return "<no text>";
    std::string result = text;
    delete[] text;
    return result;
}

template <typename A, typename E>
bool compare(const A &actual, const E &expected, const char *actualExpression,
    const char *expectedExpression, const char *file, int line)
{
    const bool equal = actual == expected;
    return compared(equal, equal ? std::string() : describe(actual),
        equal ? std::string() : describe(expected), actualExpression, expectedExpression, file,
        line);
}

template <typename T> T fetch(const char *name)
{
    return std::any_cast<T>(cell(name, std::type_index(typeid(T))));
}

} // namespace QTestLite

#define Q_OBJECT template <typename> friend struct ::QTestLite::Access;

#define Q_SLOTS

#define QFETCH(Type, name) Type name = QTestLite::fetch<std::remove_cv_t<Type>>(#name)

#define QVERIFY(condition)                                                                         \
    do {                                                                                           \
        if (!QTestLite::verify(                                                                    \
                static_cast<bool>(condition), #condition, std::string(), __FILE__, __LINE__))      \
            return;                                                                                \
    } while (false)

#define QVERIFY2(condition, message)                                                               \
    do {                                                                                           \
        if (!QTestLite::verify(static_cast<bool>(condition), #condition, std::string(message),     \
                __FILE__, __LINE__))                                                               \
            return;                                                                                \
    } while (false)

#define QCOMPARE(actual, expected)                                                                 \
    do {                                                                                           \
        if (!QTestLite::compare(actual, expected, #actual, #expected, __FILE__, __LINE__))         \
            return;                                                                                \
    } while (false)

#define QFAIL(message)                                                                             \
    do {                                                                                           \
        QTestLite::failNow(message, __FILE__, __LINE__);                                           \
        return;                                                                                    \
    } while (false)

#define QSKIP(message)                                                                             \
    do {                                                                                           \
        QTestLite::skip(message, __FILE__, __LINE__);                                              \
        return;                                                                                    \
    } while (false)

#define QTEST_APPLESS_MAIN(TestObject)                                                             \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TestObject test;                                                                           \
        return QTestLite::run(std::type_index(typeid(TestObject)), test, argc, argv);              \
    }

#define QTEST_GUILESS_MAIN(TestObject) QTEST_APPLESS_MAIN(TestObject)
