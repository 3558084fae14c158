#include "diagram/diagram_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace gonilux {

namespace {

constexpr int kSignificantDigits = 15;

// Digits (without trailing zeros) and decimal exponent of |value| at 15 significant digits.
void DecimalDigits(double value, std::string& digits, int& exponent) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, std::fabs(value));
    const std::string text = buffer; // d.dddddddddddddde+XX
    const std::size_t e = text.find('e');
    digits = text.substr(0, 1) + text.substr(2, e - 2);
    exponent = std::atoi(text.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

std::string FixedForm(const std::string& digits, int exponent) {
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto intLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLength) return digits + std::string(intLength - digits.size(), '0');
    return digits.substr(0, intLength) + "." + digits.substr(intLength);
}

std::string ExponentForm(const std::string& digits, int exponent) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += "." + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

} // namespace

QString ShortestText(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0) return QStringLiteral("0");
    std::string digits;
    int exponent = 0;
    DecimalDigits(value, digits, exponent);
    const bool fixed = exponent >= -5 && exponent < kSignificantDigits;
    std::string text = fixed ? FixedForm(digits, exponent) : ExponentForm(digits, exponent);
    if (value < 0) text.insert(0, 1, '-');
    return QString::fromStdString(text);
}

QString FormatGrouped(double value) {
    return GroupDigits(ShortestText(value));
}

QString GroupDigits(const QString& number) {
    QString text = number;
    if (text.contains(QLatin1Char('E')) || text.contains(QLatin1Char('e'))) return text;
    // Only the digits are grouped: a leading minus sign never gets a blank of its own.
    const int start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    int end = start;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    for (int p = end - 3; p > start; p -= 3)
        text.insert(p, QLatin1Char(' '));
    return text;
}

QString GroupedFigure(double value, FigureKind kind) {
    if (!std::isfinite(value)) return QStringLiteral("-");
    return GroupDigits(QString::fromStdString(FigureNumber(value, kind)));
}

QString GroupedFigureText(double value, FigureKind kind) {
    if (!std::isfinite(value)) return QStringLiteral("-");
    return GroupDigits(QString::fromStdString(FigureText(value, kind)));
}

QString GroupedFixed(double value, int decimals) {
    if (!std::isfinite(value)) return QStringLiteral("-");
    return GroupDigits(QString::fromStdString(FixedNumber(value, decimals)));
}

QFont MakeDiagramFont(int height) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, std::abs(height)));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(true);
    return font;
}

int TextWidthOf(const QPainter& painter, const QString& text) {
    return painter.fontMetrics().horizontalAdvance(text);
}

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    const int ascent = painter.fontMetrics().ascent();
    painter.drawText(QPointF(x, y + ascent), text);
}

} // namespace gonilux
