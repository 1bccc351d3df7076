// Reading numbers, dates and NULLs out of field values.
#include "common/AppError.h"
#include "db/FieldValue.h"
#include <gtest/gtest.h>

TEST(FieldValueText, NumbersKeptAsTextByTheLegacySystem)
{
    struct Case { const char* text; bool ok; double value; } cases[] = {
        {"12,50", true, 12.5},      {"1.234,56", true, 1234.56}, {"219.48", true, 219.48},
        {" -3,5 ", true, -3.5},     {"0,0001", true, 0.0001},    {"1E20", true, 1e20},
        {"1234567,89", true, 1234567.89}, {".5", true, 0.5},     {"1.234", false, 0},
        {"12.345.678", false, 0},   {"1,234.56", false, 0},      {"abc", false, 0},
        {"", false, 0},             {"12,5,0", false, 0},        {"nan", false, 0},
        {"inf", false, 0},
        // The edges of each form, read by hand: digit groups must be whole, a comma ends them,
        // the database's form takes a bare point and an exponent, blanks only outside and only
        // the plain ones (a no-break space is not one).
        {"1.2345,6", false, 0},     {"1234.567,8", false, 0},    {"+1.234.567,", true, 1234567},
        {"1.234.", false, 0},       {"12.", true, 12},           {"-.5e1", true, -5},
        {"1.5e", false, 0},         {",e5", false, 0},           {"12,e1", true, 120},
        {"\t12,5\n", true, 12.5},   {"1 234,5", false, 0},       {"1.234,5e2", false, 0},
        {"\u00a012,5", false, 0},    {"12,5x", false, 0},         {"\u0661\u0662", false, 0}};
    for (const Case& c : cases) {
        const FieldValue v = FieldValue::text(QString::fromUtf8(c.text));
        const std::optional<double> lido = v.toFloat();  // the same reading, without raising
        EXPECT_EQ(lido.has_value(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v.asFloat(), c.value) << c.text;
            EXPECT_DOUBLE_EQ(lido.value_or(0), c.value) << c.text;
        } else {
            EXPECT_THROW(v.asFloat(), AppError) << c.text;
        }
    }
}

TEST(FieldValueText, NullReadsAsDefaults)
{
    const FieldValue n = FieldValue::null();
    EXPECT_TRUE(n.isNull());
    EXPECT_EQ(n.asString(), QString());
    EXPECT_EQ(n.asInteger(), 0);
    EXPECT_EQ(n.asFloat(), 0.0);
    EXPECT_EQ(n.toFloat(), 0.0);
    EXPECT_EQ(n.asDateTime(), QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC));
}

TEST(FieldValueText, IntegersAndDates)
{
    EXPECT_EQ(FieldValue::text(QStringLiteral(" 00017 ")).asInteger(), 17);
    EXPECT_THROW(FieldValue::text(QStringLiteral("A01")).asInteger(), AppError);
    EXPECT_EQ(FieldValue::real(2.5).asString(), QStringLiteral("2,5"));
    EXPECT_EQ(FieldValue::text(QStringLiteral("15/03/2012")).asDateTime().date(), QDate(2012, 3, 15));
    EXPECT_THROW(FieldValue::text(QStringLiteral("31/02/2012")).asDateTime(), AppError);
    // Day counts read as dates on the scale whose day 0 is 30-12-1899.
    EXPECT_EQ(FieldValue::integer(41000).asDateTime().date(), QDate(2012, 4, 1));
}
