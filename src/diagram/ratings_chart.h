// How the luminaire's ratings are shown by the report window and the datasheet: the LCS diagram
// (the TM-15 zones seen from the side), the outdoor figures as label / value rows, and the texts
// of the luminance, UGR and CU tables' cells. Texts are translated in the context "Ratings".
#pragma once

#include "diagram/chart_axes.h"
#include "photometry/ratings.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QPainter;

namespace gonilux {

// One LCS zone as the diagram labels it.
using LcsZoneShare = tLcsZone;
// The ten zones in the order BL BM BH BVH FL FM FH FVH UL UH; NaN shares when not valid.
std::vector<LcsZoneShare> LcsShares(const tLcsZones& lcs);

// The LCS diagram in `area`: a disc seen from the side, the nadir down, the back half on the
// left and the front half on the right as the ratings put them; each zone filled by its share,
// named with its lumens and percent (the narrow zones beside the disc). Nothing but the
// outline when the zones are not valid.
void PaintLcsDiagram(QPainter& painter, const QRectF& area, const tLcsZones& lcs,
                     const ChartStyle& style);

// The outdoor figures as label / value rows: BUG rating, roadway type and length, cutoff class,
// spacing criterion 0-180, 90-270 and diagonal (a row each); "–" for what is undefined.
std::vector<std::pair<QString, QString>> OutdoorRatingRows(const tOutdoorRatings& outdoor);

// Label / value rows painted in `area` (alternate rows shaded), `rowHeight` apart.
void PaintRatingRows(QPainter& painter, const QRectF& area,
                     const std::vector<std::pair<QString, QString>>& rows, double rowHeight,
                     const ChartStyle& style);

// "III 型，中 (M)"; "V 型"; "–" when not classified.
QString RoadwayText(const tRoadway& roadway);
// "全截光" ... "非截光"; "–" for None.
QString CutoffName(CutoffClass cutoff);

// The tables' cells: UGR to 0.1, luminance in whole cd/m2 (grouped), CU in whole percent,
// spacing criterion to 0.01; "–" when not a number.
QString UgrCell(double value);
QString LuminanceCell(double value);
QString CuCell(double value);
QString SpacingCell(double value);

// Column headers: the UGR table's reflectance sets ("70/50/20"), the CU table's ceiling / wall
// pairs ("80/70"); the UGR rooms ("2H 4H"), the luminance table's planes ("C0").
QStringList UgrReflectanceLabels();
QStringList CuReflectanceLabels();
QString UgrRoomLabel(const tUgrRoom& room);
QStringList LuminancePlaneLabels();

// A note of the ratings (English, from the core) in the interface's language; a note without
// a translation as it is.
QString RatingNoteText(const std::string& note);
// Every note of `ratings` and of `ugr`, translated, each once.
QStringList RatingNotes(const tRatings& ratings, const tUgrTable* ugr = nullptr);

} // namespace gonilux
