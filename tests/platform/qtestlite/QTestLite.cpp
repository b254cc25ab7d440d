// SPDX-License-Identifier: MIT
#include "QTestLite.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace QTestLite {

namespace {

struct Function
{
    std::string name;
    Slot function;
    Slot data;
};

struct TestClass
{
    std::type_index type;
    std::string name;
    std::vector<Function> functions;
};

struct Column
{
    std::string name;
    std::type_index type;
};

struct DataRow
{
    std::string tag;
    std::vector<std::any> cells;
};

// Ends the running test function after a failure that cannot return a value
// (a QFETCH of a column that is not there).
struct Abort
{
};

struct State
{
    std::string className;
    std::string function;
    std::vector<Column> columns;
    std::vector<DataRow> rows;
    const DataRow *current = nullptr;
    bool failed = false;
    bool skipped = false;
};

std::vector<TestClass> &registry()
{
    static std::vector<TestClass> classes;
    return classes;
}

State &state()
{
    static State current;
    return current;
}

TestClass *findClass(std::type_index type)
{
    for (TestClass &testClass : registry()) {
        if (testClass.type == type)
            return &testClass;
    }
    return nullptr;
}

std::string testName()
{
    const State &s = state();
    std::string name = s.className + "::" + s.function + "(";
    if (s.current)
        name += s.current->tag;
    return name + ")";
}

void print(const std::string &line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void reportFailure(const std::string &message, const char *file, int line)
{
    State &s = state();
    if (s.failed)
        return; // the first failure of a test function is the one reported
    s.failed = true;
    print("FAIL!  : " + testName() + " " + message);
    print("   Loc: [" + std::string(file) + "(" + std::to_string(line) + ")]");
}

// Runs one slot; false when it failed or was skipped.
void runSlot(const Slot &slot, QObject &object)
{
    try {
        slot(object);
    } catch (const Abort &) {
    } catch (const std::exception &error) {
        reportFailure(std::string("Caught unhandled exception: ") + error.what(), "unknown", 0);
    } catch (...) {
        reportFailure("Caught unhandled exception", "unknown", 0);
    }
}

const Function *findFunction(const TestClass &testClass, const std::string &name)
{
    for (const Function &function : testClass.functions) {
        if (function.name == name)
            return &function;
    }
    return nullptr;
}

bool isSpecial(const std::string &name)
{
    return name == "initTestCase" || name == "cleanupTestCase" || name == "init"
        || name == "cleanup";
}

} // namespace

void addClass(std::type_index type, const char *name)
{
    if (!findClass(type))
        registry().push_back({ type, name, {} });
}

void addFunction(std::type_index type, const char *name, Slot function, Slot data)
{
    if (TestClass *testClass = findClass(type))
        testClass->functions.push_back({ name, std::move(function), std::move(data) });
}

void addColumn(const char *name, std::type_index type)
{
    state().columns.push_back({ name, type });
}

void addCell(std::any value, std::type_index type)
{
    State &s = state();
    if (s.rows.empty())
        throw std::logic_error("data added before QTest::newRow");
    DataRow &row = s.rows.back();
    const std::size_t index = row.cells.size();
    if (index >= s.columns.size())
        throw std::logic_error("row " + row.tag + " has more cells than the table has columns");
    if (s.columns[index].type != type)
        throw std::logic_error("row " + row.tag + ": cell " + s.columns[index].name
            + " has another type than its column");
    row.cells.push_back(std::move(value));
}

const std::any &cell(const char *name, std::type_index type)
{
    State &s = state();
    for (std::size_t i = 0; s.current && i < s.columns.size(); ++i) {
        if (s.columns[i].name != name)
            continue;
        if (s.columns[i].type != type || i >= s.current->cells.size())
            break;
        return s.current->cells[i];
    }
    reportFailure(
        std::string("QFETCH: no cell '") + name + "' of the requested type", "unknown", 0);
    throw Abort {};
}

bool verify(
    bool condition, const char *expression, const std::string &message, const char *file, int line)
{
    if (condition)
        return true;
    reportFailure(
        std::string("'") + expression + "' returned FALSE. (" + message + ")", file, line);
    return false;
}

bool compared(bool equal, const std::string &actual, const std::string &expected,
    const char *actualExpression, const char *expectedExpression, const char *file, int line)
{
    if (equal)
        return true;
    reportFailure(std::string("Compared values are not the same\n   Actual   (") + actualExpression
            + "): " + actual + "\n   Expected (" + expectedExpression + "): " + expected,
        file, line);
    return false;
}

void skip(const char *message, const char *file, int line)
{
    State &s = state();
    s.skipped = true;
    print("SKIP   : " + testName() + " " + message);
    print("   Loc: [" + std::string(file) + "(" + std::to_string(line) + ")]");
}

void failNow(const char *message, const char *file, int line)
{
    reportFailure(message, file, line);
}

int run(std::type_index type, QObject &object, int argc, char **argv)
{
    const TestClass *testClass = findClass(type);
    if (!testClass) {
        std::fputs("QTestLite: the test class was not registered\n", stderr);
        return 1;
    }
    // Test functions named on the command line run alone, as with QtTest.
    std::vector<std::string> selected(argv + 1, argv + argc);

    State &s = state();
    s.className = testClass->name;
    print("********* Start testing of " + s.className + " *********");
    print("Config: Using QTestLite (the Windows build's QtTest stand-in)");
    const auto started = std::chrono::steady_clock::now();
    int passed = 0;
    int failed = 0;
    int skipped = 0;

    const Function *init = findFunction(*testClass, "init");
    const Function *cleanup = findFunction(*testClass, "cleanup");

    const auto runOnce = [&](const Function &function, const DataRow *row) {
        s.current = row;
        s.failed = false;
        s.skipped = false;
        if (init && !isSpecial(function.name))
            runSlot(init->function, object);
        if (!s.failed && !s.skipped)
            runSlot(function.function, object);
        if (cleanup && !isSpecial(function.name))
            runSlot(cleanup->function, object);
        if (s.failed) {
            ++failed;
        } else if (s.skipped) {
            ++skipped;
        } else {
            ++passed;
            print("PASS   : " + testName());
        }
        s.current = nullptr;
    };

    const auto runFunction = [&](const Function &function) {
        s.function = function.name;
        s.columns.clear();
        s.rows.clear();
        s.current = nullptr;
        s.failed = false;
        if (function.data) {
            runSlot(function.data, object);
            if (s.failed) {
                ++failed;
                return;
            }
        }
        if (s.rows.empty()) {
            runOnce(function, nullptr);
            return;
        }
        for (const DataRow &row : s.rows)
            runOnce(function, &row);
    };

    bool setUp = true;
    if (const Function *initTestCase = findFunction(*testClass, "initTestCase")) {
        runFunction(*initTestCase);
        setUp = !s.failed;
    }
    for (const Function &function : testClass->functions) {
        if (!setUp || isSpecial(function.name))
            continue;
        if (!selected.empty()
            && std::find(selected.begin(), selected.end(), function.name) == selected.end())
            continue;
        runFunction(function);
    }
    if (const Function *cleanupTestCase = findFunction(*testClass, "cleanupTestCase"))
        runFunction(*cleanupTestCase);

    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    print("Totals: " + std::to_string(passed) + " passed, " + std::to_string(failed) + " failed, "
        + std::to_string(skipped) + " skipped, 0 blacklisted, " + std::to_string(elapsed.count())
        + "ms");
    print("********* Finished testing of " + s.className + " *********");
    return failed;
}

} // namespace QTestLite

namespace QTest {

Row &newRow(const char *dataTag)
{
    QTestLite::state().rows.push_back({ dataTag, {} });
    static Row row;
    return row;
}

const char *currentDataTag()
{
    const auto &s = QTestLite::state();
    return s.current ? s.current->tag.c_str() : nullptr;
}

const char *currentTestFunction()
{
    return QTestLite::state().function.c_str();
}

} // namespace QTest
