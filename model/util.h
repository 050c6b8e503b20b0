#pragma once
// Static helpers shared by the whole model: rounding and hit-region geometry, the text blocks
// of the model file, and the installation home directory.

#include "model/crgn.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <iosfwd>
#include <memory>
#include <string>

class KELMORA_API Util {
public:
    // --- geometry ---
    // Half away from zero: 2.5 -> 3, -2.5 -> -3.
    static long round(double v);
    // Band of half-width w around p1-p2 (any direction); empty for a zero-length segment.
    static std::unique_ptr<CRgn> createRgn(CPoint p1, CPoint p2, double w);
    // Normalised rectangle of p1 and p2 grown by w on all sides.
    static std::unique_ptr<CRgn> createRectRgn(CPoint p1, CPoint p2, short w);
    // Normalised rectangle of p1 and p2 grown by w across the segment only.
    static std::unique_ptr<CRgn> createRectRgnFlat(CPoint p1, CPoint p2, short w);
    // Triangle with its base centred on base and its apex at tip.
    static std::unique_ptr<CRgn> createTriangleRgn(CPoint base, CPoint tip, short w);
    static void createTrianglePoints(const CPoint& base, const CPoint& tip, short w, CPoint& a,
                                     CPoint& b);
    // One unit in direction 1 up, 2 right, 3 down, 4 left; any other value leaves p.
    static CPoint getIncrimentedPoint(const CPoint& p, unsigned short direction);
    static CPoint ptMin(const CPoint& a, const CPoint& b);
    static CPoint ptMax(const CPoint& a, const CPoint& b);
    // Whether two axis-parallel segments meet (inclusive); at receives the meeting point.
    static bool isCrossing(const CPoint& p1, const CPoint& p2, const CPoint& q1, const CPoint& q2,
                           CPoint& at);
    static unsigned long MAKEDWORD(const CPoint& p);

    // --- model file text ---
    static void readRest(std::istream& in);
    static void readMultiLines(std::istream& in, std::string& text, const std::string& begin,
                               const std::string& end);
    static void writeMultiLines(std::ostream& out, const std::string& text,
                                const std::string& begin, const std::string& end);
    static std::string removeTag(const std::string& s, const std::string& tag);
    static void putTab(std::ostream& out, short n);

    // --- installation ---
    // The running program's path cut before its "bin/" folder, with a trailing '/'.
    static std::string get_tn_home_dir();
    // The same rule applied to a given executable path (empty stays empty).
    static std::string homeDirFromExecutable(const std::string& exePath);
};
