// SPDX-License-Identifier: MIT
#include "core/Numeric.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <optional>

using namespace orv;

namespace {

// The failure code a call ends with, or nothing when it returns.
std::optional<FailureCode> failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure.code();
    }
    return std::nullopt;
}

constexpr int kOk = 0;

} // namespace

class TestNumeric : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundingToInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("failure"); // 0 or the FailureCode number

        // clang-format off
        QTest::newRow("half to even down") << 2.5 << 2 << kOk;
        QTest::newRow("half to even up") << 3.5 << 4 << kOk;
        QTest::newRow("half of zero") << 0.5 << 0 << kOk;
        QTest::newRow("negative half") << -0.5 << 0 << kOk;
        QTest::newRow("negative one and a half") << -1.5 << -2 << kOk;
        QTest::newRow("negative two and a half") << -2.5 << -2 << kOk;
        QTest::newRow("just above half") << 2.5000001 << 3 << kOk;
        QTest::newRow("top of range") << 32767.4 << 32767 << kOk;
        QTest::newRow("rounds beyond top") << 32767.5 << 0 << int(FailureCode::Overflow);
        QTest::newRow("bottom tie stays in range") << -32768.5 << -32768 << kOk;
        QTest::newRow("below bottom") << -32768.6 << 0 << int(FailureCode::Overflow);
        QTest::newRow("far out") << 1e12 << 0 << int(FailureCode::Overflow);
        QTest::newRow("not a number") << std::nan("") << 0 << int(FailureCode::Overflow);
        QTest::newRow("infinite") << HUGE_VAL << 0 << int(FailureCode::Overflow);
        QTest::newRow("blocks estimate 2160/10") << 216.0 << 216 << kOk;
        // clang-format on
    }

    void roundingToInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QFETCH(int, failure);
        std::int16_t result = 0;
        const auto code = failureOf([&] { result = toInt16(value); });
        QCOMPARE(code ? int(*code) : kOk, failure);
        if (!code)
            QCOMPARE(int(result), expected);
    }

    void roundingToInt32_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<int>("failure");

        // clang-format off
        QTest::newRow("tie even") << 4711.5 << qint64(4712) << kOk;
        QTest::newRow("tie odd") << 4710.5 << qint64(4710) << kOk;
        QTest::newRow("max") << 2147483647.0 << qint64(2147483647) << kOk;
        QTest::newRow("max + 0.5 rounds to even, out") << 2147483647.5 << qint64(0) << int(FailureCode::Overflow);
        QTest::newRow("min - 0.5 rounds to even, in") << -2147483648.5 << qint64(-2147483648LL) << kOk;
        QTest::newRow("beyond") << 3e9 << qint64(0) << int(FailureCode::Overflow);
        // clang-format on
    }

    void roundingToInt32()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QFETCH(int, failure);
        std::int32_t result = 0;
        const auto code = failureOf([&] { result = toInt32(value); });
        QCOMPARE(code ? int(*code) : kOk, failure);
        if (!code)
            QCOMPARE(qint64(result), expected);
    }

    void textToInt32_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<int>("failure");

        // clang-format off
        QTest::newRow("plain") << "4711" << qint64(4711) << kOk;
        QTest::newRow("blanks around") << "  2 " << qint64(2) << kOk;
        QTest::newRow("sign") << "-7" << qint64(-7) << kOk;
        QTest::newRow("plus sign") << "+7" << qint64(7) << kOk;
        QTest::newRow("fraction rounds half even") << "2.5" << qint64(2) << kOk;
        QTest::newRow("single text of a placement") << "1440" << qint64(1440) << kOk;
        QTest::newRow("exponent") << "1.234568E+07" << qint64(12345680) << kOk;
        QTest::newRow("D exponent") << "1D3" << qint64(1000) << kOk;
        QTest::newRow("leading point") << ".5" << qint64(0) << kOk;
        QTest::newRow("empty") << "" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("blanks only") << "   " << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("letters") << "abc" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("trailing garbage") << "12abc" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("quote before number") << "\"4711" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("inner blank") << "1 2" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("sign only") << "-" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("point only") << "." << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("dangling exponent") << "1e" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("decimal comma") << "1,5" << qint64(0) << int(FailureCode::TypeMismatch);
        QTest::newRow("out of 32 bits") << "2147483648" << qint64(0) << int(FailureCode::Overflow);
        QTest::newRow("huge exponent") << "1e999" << qint64(0) << int(FailureCode::Overflow);
        QTest::newRow("tiny exponent is zero") << "1e-999" << qint64(0) << kOk;
        QTest::newRow("non-ASCII digits") << QStringLiteral("４７") << qint64(0) << int(FailureCode::TypeMismatch);
        // clang-format on
    }

    void textToInt32()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QFETCH(int, failure);
        std::int32_t result = 0;
        const auto code = failureOf([&] { result = orv::textToInt32(text.toStdString()); });
        QCOMPARE(code ? int(*code) : kOk, failure);
        if (!code)
            QCOMPARE(qint64(result), expected);
    }

    void textToInt16Range()
    {
        QCOMPARE(orv::textToInt16("32767"), std::int16_t(32767));
        QCOMPARE(
            failureOf([] { orv::textToInt16("32768"); }), std::optional(FailureCode::Overflow));
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        // clang-format off
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("number") << "6" << 6.0;
        QTest::newRow("negative block count") << "-10" << -10.0;
        QTest::newRow("unit after number") << "6px" << 6.0;
        QTest::newRow("blanks inside are ignored") << " 1 2 " << 12.0;
        QTest::newRow("tabs and line feeds ignored") << "\t3\n4" << 34.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent") << "2e3" << 2000.0;
        QTest::newRow("dangling exponent") << "2e" << 2.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("number after text") << "x5" << 0.0;
        // clang-format on
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(orv::leadingNumber(text.toStdString()), expected);
    }

    void checkedArithmetic_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<QChar>("op");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("failure");

        // clang-format off
        QTest::newRow("sum") << 15 << QChar('+') << 225 << 240 << kOk;
        QTest::newRow("sum overflows") << 32767 << QChar('+') << 1 << 0 << int(FailureCode::Overflow);
        QTest::newRow("difference underflows") << -32768 << QChar('-') << 1 << 0 << int(FailureCode::Overflow);
        QTest::newRow("product") << 225 << QChar('*') << 9 << 2025 << kOk;
        QTest::newRow("product overflows") << 200 << QChar('*') << 200 << 0 << int(FailureCode::Overflow);
        QTest::newRow("division truncates") << -7 << QChar('/') << 2 << -3 << kOk;
        QTest::newRow("division by zero") << 7 << QChar('/') << 0 << 0 << int(FailureCode::DivisionByZero);
        QTest::newRow("min / -1 overflows") << -32768 << QChar('/') << -1 << 0 << int(FailureCode::Overflow);
        // clang-format on
    }

    void checkedArithmetic()
    {
        QFETCH(int, a);
        QFETCH(QChar, op);
        QFETCH(int, b);
        QFETCH(int, expected);
        QFETCH(int, failure);
        const Int16 x(static_cast<std::int16_t>(a));
        const Int16 y(static_cast<std::int16_t>(b));
        Int16 result;
        const auto code = failureOf([&] {
            switch (op.toLatin1()) {
            case '+':
                result = x + y;
                break;
            case '-':
                result = x - y;
                break;
            case '*':
                result = x * y;
                break;
            default:
                result = intDiv(x, y);
                break;
            }
        });
        QCOMPARE(code ? int(*code) : kOk, failure);
        if (!code)
            QCOMPARE(int(result.value()), expected);
    }

    void checkedInt32()
    {
        const Int32 big(100000);
        QCOMPARE((big * Int32(21)).value(), 2100000);
        QCOMPARE(
            failureOf([&] { (void)(big * Int32(100000)); }), std::optional(FailureCode::Overflow));
        QCOMPARE(failureOf([&] { (void)intDiv(big, Int32(0)); }),
            std::optional(FailureCode::DivisionByZero));
    }

    void singleToText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");

        // clang-format off
        QTest::newRow("twips") << 1440.0f << "1440";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("negative") << -105.0f << "-105";
        QTest::newRow("fraction") << 7.5f << "7.5";
        QTest::newRow("seven digits") << 1234567.0f << "1234567";
        QTest::newRow("beyond seven digits") << 12345678.0f << "1.234568E+07";
        QTest::newRow("single precision shows as such") << 0.1f << "0.1";
        // clang-format on
    }

    void singleToText()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(orv::singleToText(value)), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
