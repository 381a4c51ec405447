// Velmora Organizer desk artwork.
//
// Paints every picture of the desk scene with QPainter and writes them as PNG
// files. It is a stand-alone helper, not part of the organizer's build.
//
// Build and run from the repository root:
//   g++ -std=c++20 -O2 -fPIC tools/asset_painter/asset_painter.cpp -o /tmp/asset_painter $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/asset_painter assets
// Add "--mockup FILE" to also write a preview of the whole desk as the window
// shows it (a 336 x 335 picture); keep that preview out of the repository.
//
// Pictures that the window stretches to a control are painted at twice the
// control's size so that they stay crisp when scaled down. Objects lying on the
// desk are painted over the very piece of desk top that they cover, so they
// blend into it wherever they are drawn.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <string>

namespace {

constexpr int kDetail = 2;  // pictures are painted at twice their on-screen size
constexpr double kPi = std::numbers::pi;

// Where the pictures sit in the organizer's main window (pixels).
namespace scene {
const QSize kClient(336, 335);
constexpr int kMarbleTile = 54;
constexpr int kMarbleStep = 56;
const QRect kDeskTop(8, 16, 313, 145);
const QRect kPedestals[] = {{8, 160, 89, 97}, {232, 160, 89, 97}};
constexpr int kDrawerTops[] = {160, 192, 224};
const QSize kDrawer(89, 33);
const QRect kDrawerHandle(32, 16, 25, 9);  // inside a drawer front; a button of its own
const QRect kBooks(16, 8, 56, 40);
const QRect kNotepad(24, 64, 49, 60);
const QRect kCalendarLarge(112, 80, 105, 73);
const QRect kCalendarSmall(192, 56, 32, 40);
const QRect kLightBulb(168, 64, 32, 31);
const QRect kContacts(272, 64, 40, 40);
const QRect kAddressBook(232, 104, 81, 36);
const QRect kLedger(208, 32, 49, 17);
const QRect kCoins(248, 32, 28, 25);
const QSize kSplashLogo(81, 95);
}  // namespace scene

// ---------------------------------------------------------------------------
// Small maths helpers

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = clamp01(t);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

// A small deterministic random generator, so every run paints the same pictures.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    double next() {  // in [0, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return (state_ & 0xffffff) / double(0x1000000);
    }
    double between(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    uint32_t state_;
};

// Smooth value noise in [0, 1]. With a period > 0 it repeats every `period`
// lattice cells, which is what makes a tile seamless.
class ValueNoise {
public:
    explicit ValueNoise(uint32_t seed) : seed_(seed) {}

    double at(double x, double y, int period = 0) const {
        const int x0 = int(std::floor(x));
        const int y0 = int(std::floor(y));
        const double sx = fade(x - x0);
        const double sy = fade(y - y0);
        const double a = lerp(lattice(x0, y0, period), lattice(x0 + 1, y0, period), sx);
        const double b = lerp(lattice(x0, y0 + 1, period), lattice(x0 + 1, y0 + 1, period), sx);
        return lerp(a, b, sy);
    }

    // Fractal sum of `octaves` layers, each twice as fine as the one before.
    double fbm(double x, double y, int octaves, int period = 0) const {
        double sum = 0.0, amplitude = 0.5, norm = 0.0;
        for (int i = 0; i < octaves; ++i) {
            sum += amplitude * at(x + 17 * i, y + 31 * i, period);
            norm += amplitude;
            x *= 2.0;
            y *= 2.0;
            period *= 2;
            amplitude *= 0.5;
        }
        return sum / norm;
    }

private:
    static double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }
    static double lerp(double a, double b, double t) { return a + (b - a) * t; }
    static int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

    double lattice(int x, int y, int period) const {
        uint32_t h = seed_ ^ (uint32_t(wrap(x, period)) * 0x8da6b343u) ^ (uint32_t(wrap(y, period)) * 0xd8163841u);
        h = (h ^ (h >> 13)) * 0x5bd1e995u;
        h ^= h >> 15;
        h *= 0x27d4eb2du;
        h ^= h >> 16;
        return (h & 0xffffff) / double(0xffffff);
    }

    uint32_t seed_;
};

// ---------------------------------------------------------------------------
// Painting helpers shared by the pictures

QImage blankImage(QSize size, const QColor& fill = Qt::transparent) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void beginPainting(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont font(double pixelSize, bool bold = false, const char* family = "DejaVu Sans") {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

QPolygonF quad(const QRectF& r) { return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}); }

// Maps a flat rectangle onto a quadrilateral: used for things lying on the desk,
// which the viewer sees foreshortened.
QTransform perspective(const QRectF& flat, const QPolygonF& onScreen) {
    QTransform t;
    QTransform::quadToQuad(quad(flat), onScreen, t);
    return t;
}

// Something flat lying on the desk (a pad, a book, a bundle of notes): its top
// face is seen foreshortened, and its front edge shows as a strip below it.
struct LyingFlat {
    QRectF flat;        // the top face, laid out flat
    QPolygonF top;      // the same face on the picture
    double thickness;   // height of the front edge on the picture

    QTransform transform() const { return perspective(flat, top); }
    QRectF frontEdge() const { return QRectF(top[3].x(), top[3].y(), top[2].x() - top[3].x(), thickness); }
    QPainterPath outline() const {
        QPainterPath path;
        path.addPolygon(top);
        path.addRect(frontEdge());
        path.setFillRule(Qt::WindingFill);
        return path;
    }
};

// Box blur of a premultiplied image, three passes each way (close to a Gaussian).
void blurImage(QImage& img, int radius) {
    if (radius < 1) return;
    const int w = img.width(), h = img.height();
    std::vector<uint32_t> line(std::max(w, h));
    auto pass = [&](bool horizontal) {
        const int count = horizontal ? h : w;
        const int len = horizontal ? w : h;
        for (int i = 0; i < count; ++i) {
            auto px = [&](int j) -> QRgb& {
                return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(i))[j] : reinterpret_cast<QRgb*>(img.scanLine(j))[i];
            };
            for (int j = 0; j < len; ++j) line[j] = px(j);
            int sum[4] = {0, 0, 0, 0};
            auto add = [&](int j, int sign) {
                const QRgb c = line[std::clamp(j, 0, len - 1)];
                sum[0] += sign * qAlpha(c);
                sum[1] += sign * qRed(c);
                sum[2] += sign * qGreen(c);
                sum[3] += sign * qBlue(c);
            };
            for (int j = -radius; j <= radius; ++j) add(j, 1);
            const int n = 2 * radius + 1;
            for (int j = 0; j < len; ++j) {
                px(j) = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
                add(j - radius, -1);
                add(j + radius + 1, 1);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(true);
        pass(false);
    }
}

// A soft shadow of `shape` (in the painter's current coordinates) cast onto what
// is already painted.
void dropShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int blur, double opacity) {
    const QPainterPath onDevice = p.transform().map(shape).translated(offset);
    const QRect box = onDevice.boundingRect().toAlignedRect().adjusted(-3 * blur, -3 * blur, 3 * blur, 3 * blur);
    QImage shadow = blankImage(box.size());
    {
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.translate(-box.topLeft());
        sp.fillPath(onDevice, QColor(0, 0, 0, int(255 * opacity)));
    }
    blurImage(shadow, blur);
    p.save();
    p.resetTransform();
    p.drawImage(box.topLeft(), shadow);
    p.restore();
}

// Shading across a round object (a pen, a book spine, a coin edge): dark rims,
// a highlight a little off the middle.
QLinearGradient cylinderShade(QPointF from, QPointF to, const QColor& c, double highlight = 0.3) {
    QLinearGradient g(from, to);
    g.setColorAt(0.0, c.darker(210));
    g.setColorAt(highlight * 0.6, c.darker(110));
    g.setColorAt(highlight, c.lighter(150));
    g.setColorAt(std::min(0.95, highlight + 0.18), c);
    g.setColorAt(0.85, c.darker(135));
    g.setColorAt(1.0, c.darker(220));
    return g;
}

// Fine speckle laid over a surface (leather, paper, plastic) inside `area`.
void speckle(QPainter& p, const QPainterPath& area, uint32_t seed, int strength) {
    const QRect box = area.boundingRect().toAlignedRect();
    QImage grain = blankImage(box.size());
    Random rnd(seed);
    for (int y = 0; y < grain.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(grain.scanLine(y));
        for (int x = 0; x < grain.width(); ++x) {
            const int a = int(rnd.next() * strength);
            row[x] = rnd.next() < 0.5 ? qRgba(0, 0, 0, a) : qRgba(a, a, a, a);
        }
    }
    p.save();
    p.setClipPath(area, Qt::IntersectClip);
    p.drawImage(box.topLeft(), grain);
    p.restore();
}

// A lined, hand-written looking scribble along a line from x0 to x1.
QPainterPath scribble(double x0, double x1, double baseline, double height, Random& rnd) {
    QPainterPath path;
    path.moveTo(x0, baseline);
    double x = x0;
    while (x < x1) {
        const double step = rnd.between(1.2, 2.6) * height * 0.5;
        const double up = baseline - height * rnd.between(0.35, 1.0);
        path.quadTo(x + step * 0.5, up, x + step, baseline - height * rnd.between(0.0, 0.25));
        x += step;
        if (rnd.next() < 0.12 && x + height < x1) {  // a gap between words
            x += height * 0.8;
            path.moveTo(x, baseline);
        }
    }
    return path;
}

// ---------------------------------------------------------------------------
// Procedural textures

struct WoodStyle {
    QColor lateWood;      // the dark growth lines
    QColor earlyWood;     // the body colour
    QColor sheen;         // the lightest streaks
    double ringSpacing;   // pixels between growth lines, across the grain
    double ringWander;    // how far the growth lines wander
    double figureLength;  // length of features along the grain, in pixels
    uint32_t seed;
    bool vertical;        // grain running top to bottom instead of left to right
};

const WoodStyle kDeskWood{QColor(26, 11, 4), QColor(78, 37, 16), QColor(122, 64, 32), 9.0, 5.0, 260.0, 7, false};
const WoodStyle kDrawerWood{QColor(30, 12, 5), QColor(86, 41, 18), QColor(128, 68, 34), 7.0, 3.5, 200.0, 21, false};
const WoodStyle kOakWood{QColor(160, 118, 70), QColor(212, 176, 126), QColor(238, 212, 166), 8.0, 2.5, 320.0, 5, true};

QImage woodTexture(QSize size, const WoodStyle& s) {
    const ValueNoise noise(s.seed);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double u = s.vertical ? y : x;  // along the grain
            const double v = s.vertical ? x : y;  // across the grain
            const double wander = noise.fbm(u / s.figureLength, v / (s.ringSpacing * 5.0), 4);
            const double ring = v / s.ringSpacing + wander * s.ringWander;
            const double f = ring - std::floor(ring);
            const double line = smoothstep(0.55, 0.9, f) * (1.0 - smoothstep(0.9, 1.0, f));
            const double pores = noise.fbm(u / (s.figureLength * 0.2) + 100.0, v / 1.3, 3);
            const double broad = noise.fbm(u / (s.figureLength * 1.5) + 50.0, v / 70.0 + 50.0, 3);
            const double light = clamp01(0.5 + 1.1 * (broad - 0.5) + 0.9 * (pores - 0.5));
            QColor c = mix(s.earlyWood, s.sheen, light * light);
            c = mix(c, s.lateWood, line * 0.7 + smoothstep(0.55, 0.25, pores) * 0.35);
            row[x] = c.rgb();
        }
    }
    return img;
}

// Green marble: a cloudy green body crossed by white veins and a few dark ones.
// The veins follow contour lines of warped noise, which gives them their
// meandering look; everything repeats seamlessly across the tile's edges.
QImage marbleTexture(int n, uint32_t seed) {
    const ValueNoise cloudNoise(seed), warpNoise(seed + 1), veinNoise(seed + 2), fineNoise(seed + 3);
    const QColor deep(6, 40, 26), body(30, 98, 64), pale(104, 170, 128), vein(234, 246, 236), dark(2, 18, 10);
    const auto warp = [&](double fx, double fy) {
        return QPointF(warpNoise.fbm(fx * 2, fy * 2, 3, 2) - 0.5, warpNoise.fbm(fx * 2 + 7, fy * 2 + 7, 3, 2) - 0.5);
    };
    // Each vein family runs across the tile in one general direction (whole
    // numbers of crossings keep it seamless) and wanders with the noise.
    const auto mainField = [&](double fx, double fy) {
        const QPointF w = warp(fx, fy);
        return fx + fy + 1.2 * (veinNoise.fbm(fx * 2 + w.x(), fy * 2 + w.y(), 5, 2) - 0.5);
    };
    const auto fineField = [&](double fx, double fy) {
        const QPointF w = warp(fx, fy);
        return 2 * fx - fy + 2.0 * (fineNoise.fbm(fx * 3 + w.y(), fy * 3 + w.x(), 5, 3) - 0.5);
    };
    const auto darkField = [&](double fx, double fy) {
        const QPointF w = warp(fx, fy);
        return fx - 2 * fy + 1.6 * (fineNoise.fbm(fx * 2 + 5 + w.x(), fy * 2 + 5, 4, 2) - 0.5);
    };
    // distance in pixels from (x, y) to the nearest contour line of `field` at a
    // whole number, so that the lines keep an even width however steep the field
    const auto lineDistance = [&](const auto& field, int x, int y, double offset) {
        const double fx = double(x) / n, fy = double(y) / n;
        const double v = field(fx, fy) + offset;
        const double gx = field(fx + 1.0 / n, fy) + offset - v, gy = field(fx, fy + 1.0 / n) + offset - v;
        return std::abs(v - std::round(v)) / std::max(1e-4, std::hypot(gx, gy));
    };
    const auto line = [](double distance, double width) { return std::exp(-(distance * distance) / (width * width)); };

    QImage img(n, n, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < n; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const double fx = double(x) / n, fy = double(y) / n;
            const QPointF w = warp(fx, fy);
            const double cloud = cloudNoise.fbm(fx * 3 + w.x(), fy * 3 + w.y(), 5, 3);
            const double strength = smoothstep(0.3, 0.65, cloudNoise.fbm(fx * 2 + 11, fy * 2 + 11, 3, 2));
            const double mainDist = lineDistance(mainField, x, y, 0.0);
            const double fineDist = lineDistance(fineField, x, y, 0.0);
            const double darkDist = lineDistance(darkField, x, y, 0.0);
            QColor c = mix(deep, body, smoothstep(0.3, 0.72, cloud));
            c = mix(c, pale, smoothstep(0.62, 0.85, cloud) * 0.55);
            c = mix(c, dark, line(darkDist, 0.9) * 0.7 * (1.0 - strength));
            c = mix(c, pale, line(mainDist, 3.5) * 0.35);               // the milky halo around a vein
            c = mix(c, vein, line(mainDist, 1.2) * (0.5 + 0.45 * strength));  // the vein itself
            c = mix(c, vein, line(fineDist, 0.7) * 0.6 * strength);     // hairline veins
            row[x] = c.rgb();
        }
    }
    return img;
}

// A bevelled rim: light on the upper and left sides, dark on the lower and right.
void bevel(QPainter& p, const QRectF& r, double width, int lightAlpha, int darkAlpha) {
    for (int i = 0; i < int(width); ++i) {
        const double fade = 1.0 - double(i) / width;
        const QRectF e = r.adjusted(i + 0.5, i + 0.5, -i - 0.5, -i - 0.5);
        p.setPen(QPen(QColor(255, 235, 200, int(lightAlpha * fade)), 1.0));
        p.drawLine(e.bottomLeft(), e.topLeft());
        p.drawLine(e.topLeft(), e.topRight());
        p.setPen(QPen(QColor(0, 0, 0, int(darkAlpha * fade)), 1.0));
        p.drawLine(e.topRight(), e.bottomRight());
        p.drawLine(e.bottomRight(), e.bottomLeft());
    }
}

// The piece of desk top under a picture placed at `onScreen`.
QImage deskUnder(const QImage& desk, const QRect& onScreen) {
    const QRect src((onScreen.topLeft() - scene::kDeskTop.topLeft()) * kDetail, onScreen.size() * kDetail);
    return desk.copy(src);
}

QSize detailed(const QRect& onScreen) { return onScreen.size() * kDetail; }

// Paints at `factor` times the size and scales down: for the small pictures that
// are used at their exact size.
QImage supersampled(QSize size, int factor, const std::function<void(QPainter&)>& paint,
                    const QColor& background = Qt::transparent) {
    QImage big = blankImage(size * factor, background);
    {
        QPainter p(&big);
        beginPainting(p);
        p.scale(factor, factor);
        paint(p);
    }
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---------------------------------------------------------------------------
// The pictures

QImage paintMarble() {
    const int n = scene::kMarbleTile * kDetail;
    QImage img = marbleTexture(n, 3);
    QPainter p(&img);
    beginPainting(p);
    // polished surface: a soft gloss from the upper left, and a ground edge
    QLinearGradient gloss(0, 0, n, n);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 40));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.fillRect(img.rect(), gloss);
    bevel(p, img.rect(), 3, 70, 90);
    return img;
}

QImage paintDeskTop() {
    const QSize size = detailed(scene::kDeskTop);
    const int w = size.width(), h = size.height();
    const int edge = 12;  // the rounded front edge of the top
    QImage img = woodTexture(size, kDeskWood);
    QPainter p(&img);
    beginPainting(p);

    // the far side of the top lies in the shade of the wall
    QLinearGradient depth(0, 0, 0, h - edge);
    depth.setColorAt(0.0, QColor(0, 0, 0, 130));
    depth.setColorAt(0.3, QColor(0, 0, 0, 45));
    depth.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, w, h - edge), depth);

    // a broad soft reflection of the room light on the varnish
    QRadialGradient sheen(QPointF(w * 0.38, h * 0.62), w * 0.5);
    sheen.setColorAt(0.0, QColor(255, 225, 190, 34));
    sheen.setColorAt(1.0, QColor(255, 225, 190, 0));
    p.fillRect(QRect(0, 0, w, h - edge), sheen);

    // the front edge, rounded over: a bright lip, then turning away into shadow
    const QRectF front(0, h - edge, w, edge);
    QLinearGradient lip(front.topLeft(), front.bottomLeft());
    lip.setColorAt(0.0, QColor(255, 214, 170, 90));
    lip.setColorAt(0.2, QColor(255, 214, 170, 40));
    lip.setColorAt(0.55, QColor(0, 0, 0, 40));
    lip.setColorAt(1.0, QColor(0, 0, 0, 170));
    p.fillRect(front, lip);

    // where the top meets the wall
    QLinearGradient wall(0, 0, 0, 6);
    wall.setColorAt(0.0, QColor(0, 0, 0, 150));
    wall.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, w, 6), wall);
    // the ends of the top
    for (const int x : {0, w - 3}) p.fillRect(QRect(x, 0, 3, h), QColor(0, 0, 0, 60));
    return img;
}

QImage paintPedestal() {
    const QSize size = detailed(scene::kPedestals[0]);
    const int w = size.width(), h = size.height();
    QImage img = woodTexture(size, kOakWood);
    QPainter p(&img);
    beginPainting(p);
    // frame and a recessed panel
    const QRectF panel(14, 14, w - 28, h - 44);
    bevel(p, QRectF(0, 0, w, h), 4, 110, 90);
    bevel(p, panel.adjusted(-3, -3, 3, 3), 3, 0, 0);
    bevel(p, panel, 3, 0, 0);
    // a panel sunk into the frame: its rim is dark above and light below
    p.setPen(QPen(QColor(0, 0, 0, 90), 2));
    p.drawLine(panel.topLeft(), panel.topRight());
    p.drawLine(panel.topLeft(), panel.bottomLeft());
    p.setPen(QPen(QColor(255, 240, 210, 120), 2));
    p.drawLine(panel.bottomLeft(), panel.bottomRight());
    p.drawLine(panel.topRight(), panel.bottomRight());
    // the plinth, set back and in shadow
    const QRectF plinth(6, h - 22, w - 12, 22);
    QLinearGradient plinthShade(plinth.topLeft(), plinth.bottomLeft());
    plinthShade.setColorAt(0.0, QColor(0, 0, 0, 140));
    plinthShade.setColorAt(0.25, QColor(0, 0, 0, 70));
    plinthShade.setColorAt(1.0, QColor(0, 0, 0, 110));
    p.fillRect(plinth, plinthShade);
    // light from the left
    QLinearGradient side(0, 0, w, 0);
    side.setColorAt(0.0, QColor(255, 245, 220, 40));
    side.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.fillRect(img.rect(), side);
    return img;
}

QImage paintDrawerFront() {
    const QSize size = scene::kDrawer * kDetail;
    const int w = size.width(), h = size.height();
    QImage img = woodTexture(size, kDrawerWood);
    QPainter p(&img);
    beginPainting(p);
    // the front is a raised panel: outer rim, chamfer, flat field
    bevel(p, QRectF(0, 0, w, h), 4, 120, 150);
    const QRectF field(9, 8, w - 18, h - 16);
    QPainterPath chamfer;
    chamfer.addRect(QRectF(4, 4, w - 8, h - 8));
    chamfer.addRect(field);
    chamfer.setFillRule(Qt::OddEvenFill);
    p.fillPath(chamfer, QColor(0, 0, 0, 35));
    bevel(p, field.adjusted(-2, -2, 2, 2), 2, 70, 90);
    // light falls from above
    QLinearGradient top(0, 0, 0, h);
    top.setColorAt(0.0, QColor(255, 220, 180, 28));
    top.setColorAt(1.0, QColor(0, 0, 0, 50));
    p.fillRect(img.rect(), top);
    // the handle is a button of its own; give it a little shadow to sit in
    const QRectF handle(QRectF(scene::kDrawerHandle).topLeft() * kDetail, QSizeF(scene::kDrawerHandle.size()) * kDetail);
    QPainterPath handleShape;
    handleShape.addRoundedRect(handle, 4, 4);
    dropShadow(p, handleShape, QPointF(2, 3), 1, 0.45);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return img;
}

// A book standing upright, seen from the spine.
struct Spine {
    double width, height;
    QColor colour;
    QColor trim;  // bands and lettering
    int style;    // 0 bands at top and bottom, 1 label panel, 2 plain with a wide band
};

// Paints the spine `s` into the outline `r`.
void paintSpine(QPainter& p, const QRectF& r, const Spine& s, Random& rnd) {
    QPainterPath body;
    body.addRoundedRect(r, 2.5, 2.5);
    p.fillPath(body, cylinderShade(r.topLeft(), r.topRight(), s.colour, 0.28));
    speckle(p, body, uint32_t(rnd.next() * 1e6), 18);
    const auto band = [&](double y, double thick) {
        const QRectF b(r.left() + 1, y, r.width() - 2, thick);
        p.fillRect(b, cylinderShade(b.topLeft(), b.topRight(), s.trim, 0.3));
    };
    switch (s.style) {
    case 0:
        band(r.top() + 5, 2);
        band(r.top() + 9, 1.5);
        band(r.bottom() - 10, 1.5);
        band(r.bottom() - 6, 2);
        break;
    case 1: {
        const QRectF label(r.left() + 2, r.top() + r.height() * 0.2, r.width() - 4, r.height() * 0.22);
        p.fillRect(label, cylinderShade(label.topLeft(), label.topRight(), QColor(30, 24, 20), 0.3));
        p.setPen(QPen(withAlpha(s.trim, 220), 1));
        for (double y = label.top() + 3; y < label.bottom() - 2; y += 3)
            p.drawLine(QPointF(label.left() + 2, y), QPointF(label.right() - 2, y));
        band(r.top() + 4, 1.5);
        band(r.bottom() - 6, 1.5);
        break;
    }
    default:
        band(r.top() + r.height() * 0.12, 5);
        band(r.bottom() - r.height() * 0.18, 2);
        p.setPen(QPen(withAlpha(s.trim, 200), 1.2));
        for (double y = r.top() + r.height() * 0.32; y < r.top() + r.height() * 0.62; y += 4)
            p.drawLine(QPointF(r.center().x(), y), QPointF(r.center().x(), y + 2));
        break;
    }
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

QImage paintBooks() {
    const QSize size = detailed(scene::kBooks);  // 112 x 80
    const double floor = size.height() - 3.0;
    QImage img = blankImage(size);
    QPainter p(&img);
    beginPainting(p);
    Random rnd(11);
    const QColor gold(222, 184, 92);
    const Spine row[] = {
        {13, 74, QColor(128, 22, 26), gold, 0},   {11, 66, QColor(22, 46, 104), gold, 1},
        {14, 77, QColor(28, 84, 48), gold, 2},    {10, 62, QColor(196, 150, 40), QColor(70, 30, 16), 0},
        {12, 71, QColor(92, 30, 70), gold, 1},    {12, 68, QColor(20, 100, 110), QColor(240, 230, 200), 2},
        {10, 75, QColor(140, 72, 30), gold, 0},
    };
    QPainterPath all;
    double x = 1;
    for (const Spine& s : row) {
        all.addRect(QRectF(x, floor - s.height, s.width, s.height));
        x += s.width;
    }
    // the last book leans against the row, resting on its lower left corner
    const Spine leaning{12, 72, QColor(170, 40, 34), gold, 1};
    const double angle = 13.0;
    QTransform lean;
    lean.translate(x + leaning.height * std::sin(angle * kPi / 180.0), floor);
    lean.rotate(-angle);
    const QRectF leanRect(0, -leaning.height, leaning.width, leaning.height);
    all.addPath(lean.map(rectPath(leanRect)));

    // shadow on whatever the books stand on
    dropShadow(p, rectPath(QRectF(5, floor - 3, size.width() - 12, 4)), QPointF(1, 2), 2, 0.4);
    dropShadow(p, all, QPointF(2, 1), 2, 0.35);

    x = 1;
    for (const Spine& s : row) {
        paintSpine(p, QRectF(x, floor - s.height, s.width, s.height), s, rnd);
        x += s.width;
    }
    p.save();
    p.setTransform(lean);
    paintSpine(p, leanRect, leaning, rnd);
    p.restore();
    return img;
}

// A yellow pencil lying from `tip` at the given angle.
void paintPencil(QPainter& p, QPointF tip, double angleDegrees, double length, double thickness) {
    p.save();
    p.translate(tip);
    p.rotate(angleDegrees);
    const double t = thickness, half = t / 2;
    const double cone = t * 1.5, ferrule = t * 1.0, eraser = t * 0.9;
    const double bodyEnd = length - ferrule - eraser;

    QPainterPath outline;
    outline.moveTo(0, 0);
    outline.lineTo(cone, -half);
    outline.lineTo(length - 1.5, -half);
    outline.quadTo(length + 0.5, 0, length - 1.5, half);
    outline.lineTo(cone, half);
    outline.closeSubpath();
    dropShadow(p, outline, QPointF(2, 3), 2, 0.5);

    // hexagonal body: three facets in three shades of yellow
    const QColor facets[] = {QColor(255, 222, 92), QColor(240, 184, 30), QColor(196, 138, 12)};
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(cone, -half + i * t / 3, bodyEnd - cone, t / 3 + 0.3), facets[i]);
    p.setPen(QPen(QColor(150, 100, 10, 150), 0.6));
    p.drawLine(QPointF(cone, -half + t / 3), QPointF(bodyEnd, -half + t / 3));
    p.drawLine(QPointF(cone, -half + 2 * t / 3), QPointF(bodyEnd, -half + 2 * t / 3));
    // lettering on the top facet
    p.setPen(QPen(QColor(40, 90, 40, 200), 0.8));
    p.drawLine(QPointF(bodyEnd - 28, -half + t / 6 + 0.3), QPointF(bodyEnd - 12, -half + t / 6 + 0.3));

    // sharpened wood and the lead
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(cone, -half);
    wood.quadTo(cone - 1.2, -half / 3, cone, 0);
    wood.quadTo(cone - 1.2, half / 3, cone, half);
    wood.closeSubpath();
    QLinearGradient woodShade(0, -half, 0, half);
    woodShade.setColorAt(0.0, QColor(242, 212, 168));
    woodShade.setColorAt(1.0, QColor(196, 152, 100));
    p.fillPath(wood, woodShade);
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(cone * 0.35, -half * 0.35);
    lead.lineTo(cone * 0.35, half * 0.35);
    lead.closeSubpath();
    p.fillPath(lead, QColor(50, 50, 56));

    // metal ferrule and eraser
    const QRectF metal(bodyEnd, -half - 0.3, ferrule, t + 0.6);
    p.fillRect(metal, cylinderShade(metal.topLeft(), metal.bottomLeft(), QColor(190, 190, 196), 0.3));
    p.setPen(QPen(QColor(90, 90, 96, 160), 0.7));
    for (double x = bodyEnd + 1.5; x < bodyEnd + ferrule; x += 2.2) p.drawLine(QPointF(x, -half), QPointF(x, half));
    QPainterPath rubber;
    rubber.addRoundedRect(QRectF(bodyEnd + ferrule, -half + 0.4, eraser, t - 0.8), 2.5, 2.5);
    p.fillPath(rubber, cylinderShade(QPointF(0, -half), QPointF(0, half), QColor(226, 120, 118), 0.3));
    p.restore();
}

// A legal pad with a pencil across it.
QImage paintNotepad(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kNotepad);  // 98 x 120
    QPainter p(&img);
    beginPainting(p);
    const LyingFlat pad{QRectF(0, 0, 76, 100), QPolygonF({QPointF(14, 8), QPointF(84, 8), QPointF(89, 106), QPointF(9, 106)}), 5};
    const QRectF& flat = pad.flat;

    // shadow and the thickness of the pad at its front
    dropShadow(p, pad.outline(), QPointF(4, 4), 4, 0.65);
    const QRectF edge = pad.frontEdge();
    p.fillRect(edge, QColor(240, 226, 150));
    p.setPen(QPen(QColor(170, 150, 80), 0.6));
    for (double y = edge.top() + 1.2; y < edge.bottom() - 1; y += 1.2) p.drawLine(QPointF(edge.left(), y), QPointF(edge.right(), y));
    p.fillRect(QRectF(edge.left(), edge.bottom() - 1.5, edge.width(), 1.5), QColor(110, 80, 50));  // card back

    p.save();
    p.setTransform(pad.transform(), true);
    QLinearGradient paper(0, 0, 0, flat.height());
    paper.setColorAt(0.0, QColor(250, 238, 150));
    paper.setColorAt(1.0, QColor(255, 246, 170));
    p.fillRect(flat, paper);
    speckle(p, rectPath(flat), 41, 14);
    // ruled lines, the double margin, writing on the first lines
    p.setPen(QPen(QColor(110, 150, 200), 0.7));
    for (double y = 22; y < flat.height() - 3; y += 6.5) p.drawLine(QPointF(1, y), QPointF(flat.width() - 1, y));
    p.setPen(QPen(QColor(210, 60, 60), 0.7));
    p.drawLine(QPointF(13, 12), QPointF(13, flat.height()));
    p.drawLine(QPointF(15, 12), QPointF(15, flat.height()));
    Random rnd(8);
    p.setPen(QPen(QColor(30, 40, 90, 210), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double lengths[] = {50, 38, 54, 26, 44};
    for (int i = 0; i < 5; ++i) p.drawPath(scribble(18, 18 + lengths[i], 22 + 6.5 * i - 1, 3.6, rnd));
    // the glued binding at the head of the pad
    const QRectF binding(0, 0, flat.width(), 11);
    p.fillRect(binding, cylinderShade(binding.topLeft(), binding.bottomLeft(), QColor(150, 30, 30), 0.3));
    p.fillRect(QRectF(0, binding.bottom(), flat.width(), 1.5), QColor(0, 0, 0, 60));
    p.restore();

    paintPencil(p, QPointF(15, 100), -42, 86, 7.5);
    return img;
}

// An open appointment book lying on the desk: the month on the left page, the
// week's appointments on the right.
void paintMonthPage(QPainter& p, const QRectF& page) {
    p.setPen(QColor(170, 30, 30));
    p.setFont(font(11, true));
    p.drawText(QRectF(page.left() + 6, page.top() + 3, page.width(), 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("MAY"));
    const int cols = 7, rows = 5;
    const QRectF grid(page.left() + 6, page.top() + 26, page.width() - 12, page.height() - 31);
    const double cw = grid.width() / cols, rh = grid.height() / rows;
    p.setFont(font(6.5, true));
    p.setPen(QColor(90, 90, 100));
    const char* days = "MTWTFSS";
    for (int c = 0; c < cols; ++c)
        p.drawText(QRectF(grid.left() + c * cw, grid.top() - 9, cw, 8), Qt::AlignCenter, QString(QChar(days[c])));
    p.fillRect(QRectF(grid.left() + 5 * cw, grid.top(), 2 * cw, grid.height()), QColor(200, 60, 60, 28));  // weekend
    p.fillRect(QRectF(grid.left() + 2 * cw, grid.top() + 2 * rh, cw, rh), QColor(255, 214, 60, 170));    // today, the 15th
    p.setPen(QPen(QColor(120, 140, 170), 0.6));
    for (int c = 0; c <= cols; ++c) p.drawLine(QPointF(grid.left() + c * cw, grid.top()), QPointF(grid.left() + c * cw, grid.bottom()));
    for (int r = 0; r <= rows; ++r) p.drawLine(QPointF(grid.left(), grid.top() + r * rh), QPointF(grid.right(), grid.top() + r * rh));
    p.setFont(font(6.5));
    for (int i = 0; i < cols * rows; ++i) {
        const int day = i - 1;  // the month starts on a Wednesday
        if (day < 1 || day > 31) continue;
        const QRectF cell(grid.left() + (i % cols) * cw, grid.top() + (i / cols) * rh, cw, rh);
        p.setPen(i % cols >= 5 ? QColor(170, 30, 30) : QColor(40, 40, 50));
        p.drawText(cell.adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(day));
    }
    // a birthday and an appointment
    const auto dot = [&](int cell, const QColor& c) {
        const QPointF at(grid.left() + (cell % cols + 0.7) * cw, grid.top() + (cell / cols + 0.68) * rh);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(at, 2.6, 2.6);
    };
    dot(9, QColor(40, 90, 210));
    dot(16, QColor(210, 30, 30));
    dot(24, QColor(210, 30, 30));
}

void paintWeekPage(QPainter& p, const QRectF& page) {
    p.setPen(QColor(40, 40, 60));
    p.setFont(font(7, true));
    p.drawText(QRectF(page.left() + 6, page.top() + 4, page.width() - 12, 10), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Wednesday 15"));
    const double top = page.top() + 18, step = 7.2;
    Random rnd(5);
    for (int i = 0; top + i * step < page.bottom() - 3; ++i) {
        const double y = top + i * step;
        p.setPen(QPen(QColor(120, 140, 170), 0.6));
        p.drawLine(QPointF(page.left() + 4, y), QPointF(page.right() - 4, y));
        p.setFont(font(5));
        p.setPen(QColor(120, 120, 130));
        p.drawText(QRectF(page.left() + 4, y - 7, 10, 7), Qt::AlignLeft | Qt::AlignBottom, QString::number(8 + i));
    }
    p.setPen(QPen(QColor(160, 160, 170), 0.6));
    p.drawLine(QPointF(page.left() + 15, top - 6), QPointF(page.left() + 15, page.bottom() - 4));
    // appointments written in
    const auto entry = [&](int slot, double length, const QColor& ink, const QColor& marker) {
        const double y = top + slot * step;
        p.fillRect(QRectF(page.left() + 16, y - step + 1, 3, step - 1.5), marker);
        p.setPen(QPen(ink, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(scribble(page.left() + 22, page.left() + 22 + length, y - 1.2, 3.8, rnd));
    };
    entry(1, 46, QColor(30, 40, 110), QColor(210, 30, 30));
    entry(2, 30, QColor(30, 40, 110), QColor(210, 30, 30));
    entry(5, 52, QColor(30, 40, 110), QColor(210, 30, 30));
    entry(8, 36, QColor(30, 40, 110), QColor(40, 90, 210));
}

QImage paintCalendarLarge(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kCalendarLarge);  // 210 x 146
    QPainter p(&img);
    beginPainting(p);
    // The upper right of this picture is overlapped by the light bulb and the
    // small calendar, so the book lies low and leaves that strip as bare desk.
    const double stack = 4;  // the page blocks stand this high above the cover
    const LyingFlat open{QRectF(0, 0, 200, 104), QPolygonF({QPointF(16, 38), QPointF(194, 38), QPointF(205, 128), QPointF(5, 128)}), 7};
    const QRectF& flat = open.flat;
    const QTransform book = open.transform();
    dropShadow(p, open.outline(), QPointF(5, 5), 5, 0.7);

    // the cover boards and their front edge
    const QColor leather(110, 22, 28);
    const QRectF boards = open.frontEdge();
    p.fillRect(boards, cylinderShade(boards.topLeft(), boards.bottomLeft(), leather.darker(120), 0.3));
    p.save();
    p.setTransform(book, true);
    QPainterPath coverPath;
    coverPath.addRoundedRect(flat, 4, 4);
    p.fillPath(coverPath, leather);
    speckle(p, coverPath, 77, 30);

    // the pages: two blocks, raised above the cover, curving down into the gutter
    const QRectF left(5, 4, 93, 94), right(102, 4, 93, 94);
    for (const QRectF& page : {left, right}) {
        const bool isLeft = page.left() < 100;
        QPainterPath sheet;
        sheet.addRect(page);
        QLinearGradient paper(page.left(), 0, page.right(), 0);
        const QColor cream(250, 246, 232), gutter(196, 184, 160);
        paper.setColorAt(isLeft ? 1.0 : 0.0, gutter);
        paper.setColorAt(isLeft ? 0.88 : 0.12, cream.darker(104));
        paper.setColorAt(isLeft ? 0.0 : 1.0, cream);
        p.fillPath(sheet, paper);
        speckle(p, sheet, isLeft ? 3 : 4, 10);
    }
    paintMonthPage(p, left);
    paintWeekPage(p, right);
    // the gutter between the pages
    QLinearGradient fold(96, 0, 104, 0);
    fold.setColorAt(0.0, QColor(0, 0, 0, 0));
    fold.setColorAt(0.5, QColor(0, 0, 0, 110));
    fold.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(96, 4, 8, 94), fold);
    p.restore();

    // page block edges at the front, curving down into the gutter
    const QPointF gutterFront = book.map(QPointF(100, 98));
    for (int half = 0; half < 2; ++half) {
        const QPointF outer = book.map(QPointF(half ? 195 : 5, 98));
        QPainterPath edge;
        edge.moveTo(outer);
        edge.quadTo(QPointF((outer.x() + gutterFront.x()) / 2, outer.y() - 1), gutterFront + QPointF(0, 1));
        edge.lineTo(gutterFront + QPointF(0, 1 + stack));
        edge.quadTo(QPointF((outer.x() + gutterFront.x()) / 2, outer.y() + stack), outer + QPointF(0, stack));
        edge.closeSubpath();
        p.fillPath(edge, QColor(236, 228, 206));
        p.save();
        p.setClipPath(edge);
        p.setPen(QPen(QColor(170, 155, 125), 0.5));
        for (double y = outer.y() + 1; y < outer.y() + stack + 2; y += 1.1)
            p.drawLine(QPointF(std::min(outer.x(), gutterFront.x()), y), QPointF(std::max(outer.x(), gutterFront.x()), y));
        p.restore();
    }

    // a ribbon marker hanging over the front edge
    const QPointF ribbonTop = book.map(QPointF(128, 90));
    QPainterPath ribbon;
    ribbon.moveTo(ribbonTop);
    ribbon.lineTo(ribbonTop + QPointF(5, 0));
    ribbon.lineTo(ribbonTop + QPointF(6, 17));
    ribbon.lineTo(ribbonTop + QPointF(3.5, 14));
    ribbon.lineTo(ribbonTop + QPointF(1, 17));
    ribbon.closeSubpath();
    dropShadow(p, ribbon, QPointF(1, 1), 1, 0.5);
    p.fillPath(ribbon, cylinderShade(ribbonTop, ribbonTop + QPointF(6, 0), QColor(200, 150, 40), 0.35));
    return img;
}

QImage paintCalendarSmall(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kCalendarSmall);  // 64 x 80
    QPainter p(&img);
    beginPainting(p);
    // The left strip of this picture is shared with the light bulb, so the
    // calendar stands in the right-hand part.
    const QRectF block(19, 14, 40, 50);
    const QRectF base(16, 62, 46, 11);

    QPainterPath outline;
    outline.addRect(block);
    outline.addRect(base);
    dropShadow(p, outline, QPointF(4, 3), 3, 0.7);

    // the stand
    QPainterPath stand;
    stand.moveTo(base.left() + 3, base.top());
    stand.lineTo(base.right() - 3, base.top());
    stand.lineTo(base.right(), base.bottom());
    stand.lineTo(base.left(), base.bottom());
    stand.closeSubpath();
    p.fillPath(stand, cylinderShade(base.topLeft(), base.bottomLeft(), QColor(44, 44, 50), 0.25));

    // the pad of pages: edges showing below and to the right
    p.fillRect(block.translated(2, 2), QColor(210, 204, 190));
    p.setPen(QPen(QColor(150, 140, 125), 0.5));
    for (double d = 0.7; d < 2.2; d += 0.7) p.drawRect(block.translated(d, d));
    QLinearGradient paper(block.topLeft(), block.bottomLeft());
    paper.setColorAt(0.0, QColor(255, 255, 255));
    paper.setColorAt(1.0, QColor(238, 236, 230));
    p.fillRect(block, paper);
    const QRectF header(block.left(), block.top(), block.width(), 13);
    p.fillRect(header, cylinderShade(header.topLeft(), header.bottomLeft(), QColor(196, 28, 32), 0.3));
    p.setPen(Qt::white);
    p.setFont(font(11, true, "Liberation Sans"));
    p.drawText(header.adjusted(0, 1, 0, 0), Qt::AlignCenter, QStringLiteral("MAY"));
    p.setPen(QColor(30, 30, 36));
    p.setFont(font(26, true, "Liberation Sans"));
    p.drawText(QRectF(block.left(), header.bottom(), block.width(), block.height() - 22), Qt::AlignCenter, QStringLiteral("15"));
    p.setPen(QColor(110, 110, 120));
    p.setFont(font(6, true));
    p.drawText(QRectF(block.left(), block.bottom() - 10, block.width(), 8), Qt::AlignCenter, QStringLiteral("WEDNESDAY"));
    // binder rings over the top
    for (const double x : {block.left() + 10, block.right() - 10}) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(x - 2, block.top() - 5, 4, 10), 2, 2);
        p.fillPath(ring, cylinderShade(QPointF(x - 2, 0), QPointF(x + 2, 0), QColor(200, 200, 206), 0.35));
        p.setPen(QPen(QColor(60, 60, 70), 0.5));
        p.drawPath(ring);
    }
    return img;
}

QImage paintLightBulb(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kLightBulb);  // 64 x 62
    QPainter p(&img);
    beginPainting(p);
    // Kept within the left three quarters: the small calendar stands next to it.
    const QPointF centre(24, 21);
    const double r = 13.5;

    // glow on the desk and in the air
    QRadialGradient glow(centre, 24);
    glow.setColorAt(0.0, QColor(255, 236, 120, 200));
    glow.setColorAt(0.5, QColor(255, 210, 60, 90));
    glow.setColorAt(1.0, QColor(255, 200, 40, 0));
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.fillRect(img.rect(), glow);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // rays
    p.setPen(QPen(QColor(255, 230, 110, 220), 1.8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = (i * 45 - 90) * kPi / 180.0;
        if (std::sin(a) > 0.3) continue;  // none downwards, where the base is
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(centre + dir * (r + 4), centre + dir * (r + 8.5));
    }

    // the glass: a round top narrowing into the neck
    QPainterPath glass;
    glass.moveTo(centre + QPointF(-6, 16));
    glass.cubicTo(centre + QPointF(-6, 11), centre + QPointF(-r, 8), centre + QPointF(-r, 0));
    glass.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180, -180);
    glass.cubicTo(centre + QPointF(r, 8), centre + QPointF(6, 11), centre + QPointF(6, 16));
    glass.closeSubpath();
    QRadialGradient lit(centre + QPointF(-1, 1), r * 1.2, centre + QPointF(-2, -2));
    lit.setColorAt(0.0, QColor(255, 255, 240));
    lit.setColorAt(0.35, QColor(255, 244, 150));
    lit.setColorAt(0.8, QColor(255, 206, 40));
    lit.setColorAt(1.0, QColor(236, 150, 10));
    p.fillPath(glass, lit);
    p.setPen(QPen(QColor(190, 120, 10), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    // filament
    QPainterPath filament;
    filament.moveTo(centre + QPointF(-3, 14));
    filament.lineTo(centre + QPointF(-3, 3));
    for (int i = 0; i < 4; ++i) filament.lineTo(centre + QPointF(-3 + 1.5 * (2 * i + 1), i % 2 ? 3 : 0));
    filament.lineTo(centre + QPointF(3, 3));
    filament.lineTo(centre + QPointF(3, 14));
    p.setPen(QPen(QColor(255, 140, 20), 0.9));
    p.drawPath(filament);
    // a window-shaped reflection
    QPainterPath shine;
    shine.addEllipse(QRectF(centre.x() - 9, centre.y() - 9, 5, 8));
    p.fillPath(shine, QColor(255, 255, 255, 200));

    // screw base and contact
    const QRectF cap(centre.x() - 6.5, centre.y() + 16, 13, 11);
    QPainterPath capPath;
    capPath.addRoundedRect(cap, 1.5, 1.5);
    p.fillPath(capPath, cylinderShade(cap.topLeft(), cap.topRight(), QColor(186, 186, 192), 0.3));
    p.setPen(QPen(QColor(90, 90, 100), 0.9));
    for (int i = 0; i < 3; ++i) {
        const double y = cap.top() + 2.5 + i * 3;
        p.drawLine(QPointF(cap.left(), y + 1), QPointF(cap.right(), y - 0.5));
    }
    QPainterPath contact;
    contact.moveTo(cap.left() + 2, cap.bottom());
    contact.lineTo(cap.right() - 2, cap.bottom());
    contact.lineTo(cap.center().x() + 2, cap.bottom() + 4);
    contact.lineTo(cap.center().x() - 2, cap.bottom() + 4);
    contact.closeSubpath();
    p.fillPath(contact, QColor(40, 36, 34));
    return img;
}

// A rotary card file seen from the front left and a little above: a wheel of
// cards on an axle running away from the viewer, knobs at both ends, a cradle.
QImage paintContactsCard(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kContacts);  // 80 x 80
    QPainter p(&img);
    beginPainting(p);
    const QPointF axle(26, 52);    // the front end of the axle
    const QPointF depth(26, -11);  // from the front of the wheel to its back
    const double inner = 5, outer = 24;
    const auto radial = [&](double degrees, double r) {
        const double a = degrees * kPi / 180.0;
        return axle + QPointF(std::sin(a), -std::cos(a)) * r;
    };

    // the cradle: front face, top and right side of a box under the wheel
    const QPolygonF front({QPointF(8, 62), QPointF(44, 62), QPointF(46, 75), QPointF(6, 75)});
    const QPolygonF top({front[0], front[1], front[1] + depth, front[0] + depth});
    const QPolygonF side({front[1], front[1] + depth, front[2] + depth, front[2]});
    QPainterPath footprint;
    footprint.addPolygon(front);
    footprint.addPolygon(side);
    footprint.addEllipse(axle + depth * 0.5, outer, outer * 0.8);
    footprint.setFillRule(Qt::WindingFill);
    dropShadow(p, footprint, QPointF(4, 3), 3, 0.6);

    // the far knob, behind the cards
    const auto knob = [&](const QPointF& at, double r) {
        QPainterPath k;
        k.addEllipse(at, r * 0.75, r);
        QRadialGradient g(at - QPointF(r * 0.3, r * 0.4), r * 1.2);
        g.setColorAt(0.0, QColor(120, 122, 130));
        g.setColorAt(1.0, QColor(18, 18, 22));
        p.fillPath(k, g);
        QRadialGradient chrome(at - QPointF(0.8, 0.8), r * 0.45);
        chrome.setColorAt(0.0, Qt::white);
        chrome.setColorAt(1.0, QColor(120, 120, 130));
        p.setPen(Qt::NoPen);
        p.setBrush(chrome);
        p.drawEllipse(at, r * 0.3, r * 0.38);
    };
    knob(axle + depth * 1.1, 7);

    // The cards. Seen from this side, a card pointing along `depth` is edge on
    // and nearest; cards further round on either side lie behind it.
    const double edgeOn = std::atan2(depth.x(), -depth.y()) * 180.0 / kPi;
    std::vector<double> angles;
    for (double a = 86; a > edgeOn; a -= 7.5) angles.push_back(a);
    for (double a = -86; a <= edgeOn; a += 7.5) angles.push_back(a);
    struct Tab { int card; double from; QColor colour; };
    const Tab tabs[] = {{3, 0.1, QColor(220, 60, 60)},  {6, 0.55, QColor(60, 120, 220)}, {9, 0.3, QColor(240, 190, 40)},
                        {12, 0.65, QColor(80, 170, 90)}, {15, 0.15, QColor(220, 60, 60)}, {18, 0.5, QColor(60, 120, 220)},
                        {21, 0.3, QColor(240, 190, 40)}, {1, 0.4, QColor(80, 170, 90)}};
    for (size_t i = 0; i < angles.size(); ++i) {
        const double a = angles[i];
        const QPointF p0 = radial(a, inner), p1 = radial(a, outer);
        for (const Tab& t : tabs) {
            if (t.card != int(i)) continue;
            const QPointF out = (p1 - axle) / outer * 3.5;
            const QPointF t0 = p1 + depth * t.from, t1 = p1 + depth * (t.from + 0.3);
            p.setPen(QPen(t.colour.darker(140), 0.5));
            p.setBrush(t.colour);
            p.drawPolygon(QPolygonF({t0, t1, t1 + out, t0 + out}));
        }
        const QPolygonF card({p0, p1, p1 + depth, p0 + depth});
        const int light = int(252 - 45 * std::abs(a - edgeOn) / 150.0 - (i % 2) * 10);
        p.setPen(QPen(QColor(150, 146, 138), 0.4));
        p.setBrush(QColor(light, light, light - 10));
        p.drawPolygon(card);
        p.setPen(QPen(QColor(120, 116, 110), 0.6));
        p.drawLine(p0, p1);  // the card's edge facing us
    }

    // the cradle in front of the lower half of the wheel
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 72, 80));
    p.drawPolygon(top);
    p.setBrush(QColor(30, 30, 36));
    p.drawPolygon(side);
    QPainterPath frontPath;
    frontPath.addPolygon(front);
    p.fillPath(frontPath, cylinderShade(front[0], front[3], QColor(54, 56, 64), 0.15));
    speckle(p, frontPath, 19, 18);
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.8));
    p.drawLine(front[0], front[1]);
    // the front arm holding the axle, and the near knob
    QPainterPath arm;
    arm.moveTo(axle + QPointF(-3, 0));
    arm.lineTo(axle + QPointF(3, 0));
    arm.lineTo(axle + QPointF(8, 8));
    arm.lineTo(axle + QPointF(-8, 8));
    arm.closeSubpath();
    p.fillPath(arm, QColor(40, 40, 46));
    knob(axle, 8);
    return img;
}

// A telephone emblem, tooled in gold: handset over a dial body.
void paintTelephone(QPainter& p, const QPointF& c, double size, const QColor& gold) {
    const double s = size / 24.0;
    QPainterPath body;
    body.moveTo(c + QPointF(-9 * s, 8 * s));
    body.lineTo(c + QPointF(-6 * s, -1 * s));
    body.lineTo(c + QPointF(6 * s, -1 * s));
    body.lineTo(c + QPointF(9 * s, 8 * s));
    body.closeSubpath();
    QPainterPath handset;
    handset.moveTo(c + QPointF(-11 * s, -3 * s));
    handset.cubicTo(c + QPointF(-10 * s, -11 * s), c + QPointF(10 * s, -11 * s), c + QPointF(11 * s, -3 * s));
    handset.lineTo(c + QPointF(7 * s, -2 * s));
    handset.cubicTo(c + QPointF(6 * s, -6 * s), c + QPointF(-6 * s, -6 * s), c + QPointF(-7 * s, -2 * s));
    handset.closeSubpath();
    QPainterPath emblem = body.united(handset);
    QPainterPath dial;
    dial.addEllipse(c + QPointF(0, 3.5 * s), 3.5 * s, 3.5 * s);
    emblem = emblem.subtracted(dial);
    dial = QPainterPath();
    dial.addEllipse(c + QPointF(0, 3.5 * s), 1.4 * s, 1.4 * s);
    emblem.addPath(dial);
    p.fillPath(emblem.translated(0.6, 0.8), QColor(0, 0, 0, 120));  // tooled into the leather
    p.fillPath(emblem, cylinderShade(c - QPointF(0, 10 * s), c + QPointF(0, 9 * s), gold, 0.3));
}

QImage paintAddressBook(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kAddressBook);  // 162 x 72
    QPainter p(&img);
    beginPainting(p);
    const LyingFlat closed{QRectF(0, 0, 140, 60), QPolygonF({QPointF(14, 8), QPointF(146, 8), QPointF(152, 52), QPointF(8, 52)}), 11};
    const QRectF& flat = closed.flat;
    const QPolygonF& cover = closed.top;
    const double thick = closed.thickness;
    const QRectF front = closed.frontEdge();
    dropShadow(p, closed.outline(), QPointF(4, 4), 4, 0.7);

    // A to Z tabs sticking out of the page block on the right
    const QColor tabColours[] = {QColor(220, 60, 60), QColor(240, 180, 40), QColor(80, 170, 90), QColor(60, 120, 220),
                                 QColor(150, 80, 190)};
    for (int i = 0; i < 5; ++i) {
        const double t = 0.12 + i * 0.19;
        const QPointF at = cover[1] + (cover[2] - cover[1]) * t;
        const QRectF tab(at.x() - 2, at.y() + 3, 8, 6);
        p.fillRect(tab, cylinderShade(tab.topLeft(), tab.bottomLeft(), tabColours[i], 0.3));
    }

    // the bottom edge: covers above and below the pages, a round spine on the left
    const QColor leather(24, 44, 92);
    p.fillRect(front, leather.darker(140));
    const QRectF pages = front.adjusted(6, 2, -2, -3);
    QLinearGradient pageShade(pages.topLeft(), pages.bottomLeft());
    pageShade.setColorAt(0.0, QColor(244, 238, 222));
    pageShade.setColorAt(1.0, QColor(200, 192, 170));
    p.fillRect(pages, pageShade);
    p.setPen(QPen(QColor(175, 165, 140), 0.5));
    for (double y = pages.top() + 1; y < pages.bottom(); y += 1.1) p.drawLine(QPointF(pages.left(), y), QPointF(pages.right(), y));
    const QRectF spine(front.left(), front.top() - 1, 10, thick + 1);
    QPainterPath spinePath;
    spinePath.addRoundedRect(spine, 4, 4);
    p.fillPath(spinePath, cylinderShade(spine.topLeft(), spine.topRight(), leather, 0.45));

    // the cover
    p.save();
    p.setTransform(closed.transform(), true);
    QPainterPath coverPath;
    coverPath.addRoundedRect(flat, 3, 3);
    QLinearGradient light(0, 0, flat.width(), flat.height());
    light.setColorAt(0.0, leather.lighter(135));
    light.setColorAt(1.0, leather.darker(115));
    p.fillPath(coverPath, light);
    speckle(p, coverPath, 55, 34);
    const QColor gold(226, 186, 90);
    p.setPen(QPen(gold, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(flat.adjusted(6, 5, -6, -5), 2, 2);
    p.fillRect(QRectF(0, 0, 12, flat.height()), QColor(0, 0, 0, 45));  // the spine hinge
    paintTelephone(p, QPointF(50, 32), 34, gold);
    p.setPen(gold);
    p.setFont(font(15, true, "DejaVu Serif"));
    p.drawText(QRectF(70, 14, 62, 34), Qt::AlignCenter, QStringLiteral("A-Z"));
    p.restore();
    return img;
}

// A bundle of banknotes held by a paper band.
QImage paintLedger(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kLedger);  // 98 x 34
    QPainter p(&img);
    beginPainting(p);
    // Kept clear of the right strip, which the coins stand on.
    const LyingFlat bundle{QRectF(0, 0, 90, 40), QPolygonF({QPointF(6, 4), QPointF(74, 4), QPointF(77, 22), QPointF(3, 22)}), 8};
    const QRectF& flat = bundle.flat;
    const QTransform note = bundle.transform();
    const double thick = bundle.thickness;
    const QRectF front = bundle.frontEdge();
    dropShadow(p, bundle.outline(), QPointF(3, 2), 2, 0.7);

    // a loose note sticking out from under the bundle
    p.save();
    p.translate(40, 20);
    p.rotate(-8);
    QPainterPath loose;
    loose.addRect(QRectF(-36, -8, 72, 16));
    p.fillPath(loose, QColor(150, 186, 140));
    p.restore();

    // the edges of the stacked notes
    p.fillRect(front, QColor(160, 190, 150));
    p.setPen(QPen(QColor(90, 120, 90), 0.5));
    for (double y = front.top() + 0.8; y < front.bottom(); y += 1.0) p.drawLine(QPointF(front.left(), y), QPointF(front.right(), y));

    p.save();
    p.setTransform(note, true);
    const QColor paper(186, 214, 172), ink(46, 96, 60);
    p.fillRect(flat, paper);
    speckle(p, rectPath(flat), 9, 20);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(flat.adjusted(3, 3, -3, -3));
    p.setPen(QPen(withAlpha(ink, 120), 0.5));
    for (int i = 0; i < 6; ++i) p.drawEllipse(QPointF(62, 20), 10 - i * 1.3, 13 - i * 1.7);  // guilloche rosette
    p.setBrush(withAlpha(ink, 150));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(20, 20), 7, 11);  // portrait
    p.setPen(ink);
    p.setFont(font(9, true));
    p.drawText(QRectF(5, 4, 20, 10), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("50"));
    p.drawText(QRectF(65, 26, 20, 10), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("50"));
    p.restore();

    // the paper band around the bundle
    const QPointF b0 = note.map(QPointF(34, 0)), b1 = note.map(QPointF(46, 0));
    const QPointF b2 = note.map(QPointF(46, 40)), b3 = note.map(QPointF(34, 40));
    QPainterPath band;
    band.addPolygon(QPolygonF({b0, b1, b2 + QPointF(0, thick), b3 + QPointF(0, thick)}));
    p.fillPath(band, cylinderShade(b3, b2, QColor(214, 170, 80), 0.35));
    p.setPen(QPen(QColor(120, 80, 20), 0.6));
    p.drawLine(b3, b2);
    return img;
}

// A stack of gold coins with a smaller one beside it.
void paintCoinStack(QPainter& p, QPointF bottomCentre, int count, double rx, double ry, double thick, Random& rnd) {
    const QColor gold(232, 180, 50);
    QPainterPath outline;
    outline.addEllipse(bottomCentre, rx, ry);
    outline.addRect(QRectF(bottomCentre.x() - rx, bottomCentre.y() - count * thick, 2 * rx, count * thick));
    outline.addEllipse(bottomCentre - QPointF(0, count * thick), rx, ry);
    outline.setFillRule(Qt::WindingFill);
    dropShadow(p, outline, QPointF(3, 2), 2, 0.7);
    for (int i = 0; i < count; ++i) {
        const QPointF c = bottomCentre + QPointF(rnd.between(-1.0, 1.0), -i * thick);
        QPainterPath edge;
        edge.moveTo(c.x() - rx, c.y() - thick);
        edge.lineTo(c.x() - rx, c.y());
        edge.arcTo(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), 180, 180);
        edge.lineTo(c.x() + rx, c.y() - thick);
        edge.closeSubpath();
        p.fillPath(edge, cylinderShade(QPointF(c.x() - rx, 0), QPointF(c.x() + rx, 0), gold.darker(108), 0.3));
        p.save();  // milled rim
        p.setClipPath(edge);
        p.setPen(QPen(QColor(120, 80, 10, 110), 0.5));
        for (double x = c.x() - rx + 1; x < c.x() + rx; x += 1.4) p.drawLine(QPointF(x, c.y() - thick), QPointF(x, c.y() + ry));
        p.restore();
        p.setPen(QPen(QColor(110, 70, 10, 180), 0.5));
        p.drawLine(QPointF(c.x() - rx, c.y()), QPointF(c.x() - rx, c.y() - thick));
        const QRectF face(c.x() - rx, c.y() - thick - ry, 2 * rx, 2 * ry);
        QLinearGradient shine(face.topLeft(), face.bottomRight());
        shine.setColorAt(0.0, QColor(255, 240, 160));
        shine.setColorAt(0.5, gold);
        shine.setColorAt(1.0, gold.darker(130));
        p.setPen(QPen(QColor(150, 100, 20), 0.6));
        p.setBrush(shine);
        p.drawEllipse(face);
        if (i == count - 1) {  // the top coin's relief
            p.setPen(QPen(QColor(170, 120, 20), 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(face.adjusted(2.5, 1, -2.5, -1));
            p.setPen(QPen(QColor(255, 246, 200, 200), 0.7));
            p.drawArc(face.adjusted(4, 1.8, -4, -1.8), 30 * 16, 120 * 16);
        }
    }
}

QImage paintCoins(const QImage& desk) {
    QImage img = deskUnder(desk, scene::kCoins);  // 56 x 50
    QPainter p(&img);
    beginPainting(p);
    Random rnd(4);
    paintCoinStack(p, QPointF(38, 38), 4, 11, 4, 3.5, rnd);
    paintCoinStack(p, QPointF(20, 44), 8, 13, 4.6, 3.9, rnd);
    return img;
}

// The window icon: a red fountain pen lying diagonally, nib at the lower left.
void paintPen(QPainter& p) {
    const QColor lacquer(200, 22, 30), gold(230, 184, 70), black(24, 24, 28);
    p.save();
    p.translate(32, 32);
    p.rotate(-45);
    // along x: nib at -42, cap end at +42; widths across y
    const auto part = [&](const QRectF& r, const QColor& c, double round) {
        QPainterPath path;
        path.addRoundedRect(r, round, round);
        p.fillPath(path, cylinderShade(r.topLeft(), r.bottomLeft(), c, 0.28));
    };
    // nib
    QPainterPath nib;
    nib.moveTo(-42, 0);
    nib.cubicTo(-36, -1.5, -32, -4.5, -28, -4.5);
    nib.lineTo(-28, 4.5);
    nib.cubicTo(-32, 4.5, -36, 1.5, -42, 0);
    p.fillPath(nib, cylinderShade(QPointF(0, -4.5), QPointF(0, 4.5), gold, 0.3));
    p.setPen(QPen(QColor(90, 60, 10), 0.7));
    p.drawLine(QPointF(-41, 0), QPointF(-33, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 10));
    p.drawEllipse(QPointF(-32.5, 0), 1.0, 1.0);
    // grip section, barrel, cap
    part(QRectF(-29, -5, 9, 10), black, 2);
    part(QRectF(-21, -6.2, 22, 12.4), lacquer, 3);
    part(QRectF(0, -6.8, 3, 13.6), gold, 1);
    part(QRectF(2.5, -6.8, 35, 13.6), lacquer, 3);
    part(QRectF(35, -6.0, 7, 12.0), lacquer.darker(115), 5);
    part(QRectF(39.5, -3.2, 3.5, 6.4), gold, 2);
    part(QRectF(8, -6.8, 2, 13.6), gold, 1);
    // the clip along the cap
    QPainterPath clip;
    clip.addRoundedRect(QRectF(10, -8.8, 24, 3.2), 1.6, 1.6);
    clip.addEllipse(QPointF(12, -7.2), 2.4, 2.4);
    p.fillPath(clip.simplified(), cylinderShade(QPointF(0, -9), QPointF(0, -5.5), gold, 0.3));
    p.restore();
}

void paintMarkerDisc(QPainter& p, const QColor& colour) {
    const QPointF c(9, 8.5);
    const double r = 6.5;
    QRadialGradient g(c - QPointF(2, 2), r * 1.6);
    g.setColorAt(0.0, colour.lighter(170));
    g.setColorAt(0.45, colour);
    g.setColorAt(1.0, colour.darker(170));
    p.setPen(QPen(colour.darker(200), 0.6));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

// The key to the coloured dots of the calendar window. The window shows this
// picture at its own size in a 113 x 33 pixel box, cutting off the rest, with
// the blue dot beside the top line and the red dot beside the bottom line: the
// words sit in that top-left corner.
QImage paintMarkerLegend() {
    const QSize size(201, 125);
    const QSizeF shown(113, 33);
    QImage img = blankImage(size, Qt::white);
    QPainter p(&img);
    beginPainting(p);
    p.setPen(Qt::black);
    p.setFont(font(11, true, "Liberation Sans"));
    const double line = 16;
    p.drawText(QRectF(3, 0, shown.width() - 3, line), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Birthday"));
    p.drawText(QRectF(3, line, shown.width() - 3, line), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Appointment"));
    return img;
}

// ---------------------------------------------------------------------------
// Help and finance toolbar pictures
//
// Small pictures drawn on the pixel grid: a painter unit is one pixel of the
// final picture, and one-pixel lines run along pixel centres (x.5), so that
// they stay sharp after the supersampled painting is scaled down.

void outlinePen(QPainter& p, const QColor& c, double width = 1.0) {
    QPen pen(c, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
}

// A sheet of paper with its top right corner folded over.
void paintSheet(QPainter& p, const QRectF& r, double fold) {
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    outlinePen(p, QColor(96, 96, 96));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(214, 214, 214));
    p.drawPath(corner);
}

QImage paintToolbarNew() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) { paintSheet(p, QRectF(3.5, 1.5, 10, 13), 4); });
}

QImage paintToolbarOpen() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        const QColor edge(128, 96, 0);
        // the back of the folder with its tab
        QPainterPath back;
        back.moveTo(1.5, 13.5);
        back.lineTo(1.5, 3.5);
        back.lineTo(2.5, 2.5);
        back.lineTo(5.5, 2.5);
        back.lineTo(6.5, 3.5);
        back.lineTo(12.5, 3.5);
        back.lineTo(12.5, 13.5);
        back.closeSubpath();
        outlinePen(p, edge);
        p.setBrush(QColor(222, 178, 40));
        p.drawPath(back);
        // a sheet sticking out
        outlinePen(p, QColor(120, 120, 120));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4.5, 7, 5));
        // the front flap, swung open
        QPolygonF front({QPointF(1.5, 13.5), QPointF(4.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5)});
        QLinearGradient g(0, 7.5, 0, 13.5);
        g.setColorAt(0, QColor(255, 232, 120));
        g.setColorAt(1, QColor(236, 190, 50));
        outlinePen(p, edge);
        p.setBrush(g);
        p.drawPolygon(front);
    });
}

QImage paintToolbarHelp() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        // a yellow speech balloon holding a question mark
        QPainterPath balloon;
        balloon.addEllipse(QRectF(1.5, 1.5, 13, 10));
        QPainterPath tail;
        tail.moveTo(4, 9);
        tail.lineTo(3, 14.5);
        tail.lineTo(8, 10.5);
        tail.closeSubpath();
        outlinePen(p, QColor(120, 100, 0));
        p.setBrush(QColor(255, 240, 110));
        p.drawPath(balloon.united(tail));
        p.setPen(QColor(0, 0, 150));
        p.setFont(font(10, true, "Liberation Sans"));
        p.drawText(QRectF(1.5, 1, 13, 10.5), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QImage paintToolbarAddTrans() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        paintSheet(p, QRectF(1.5, 1.5, 10, 13), 3);
        outlinePen(p, QColor(70, 110, 200));
        for (double y : {5.5, 7.5, 9.5, 11.5}) p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
        // a green plus at the lower right
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 90, 0));
        p.drawRect(QRectF(11, 8, 3, 8));
        p.drawRect(QRectF(8.5, 10.5, 8, 3));
        p.setBrush(QColor(40, 190, 40));
        p.drawRect(QRectF(11.75, 8.75, 1.5, 6.5));
        p.drawRect(QRectF(9.25, 11.25, 6.5, 1.5));
    });
}

QImage paintToolbarTrans() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        // a ledger: a header row and ruled lines, with an amount column
        outlinePen(p, QColor(80, 80, 80));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 170));
        p.drawRect(QRectF(2, 2, 12, 3));
        outlinePen(p, QColor(150, 170, 210));
        for (double y : {7.5, 9.5, 11.5}) p.drawLine(QPointF(2.5, y), QPointF(13.5, y));
        outlinePen(p, QColor(200, 60, 60));
        p.drawLine(QPointF(9.5, 5.5), QPointF(9.5, 13.5));
        outlinePen(p, QColor(60, 60, 60));
        for (double y : {6.5, 8.5, 10.5, 12.5}) {
            p.drawLine(QPointF(3.5, y), QPointF(7.5, y));
            p.drawLine(QPointF(11.5, y), QPointF(12.5, y));
        }
    });
}

QImage paintToolbarDebit() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        // a clock: the same day every month
        const QPointF c(8, 8);
        QRadialGradient face(c - QPointF(2, 2), 9);
        face.setColorAt(0, Qt::white);
        face.setColorAt(1, QColor(220, 226, 240));
        outlinePen(p, QColor(30, 50, 120), 1.2);
        p.setBrush(face);
        p.drawEllipse(c, 6.6, 6.6);
        outlinePen(p, QColor(30, 50, 120), 0.9);
        for (int h = 0; h < 12; h += 3) {
            const double a = h * kPi / 6;
            p.drawLine(c + QPointF(5.2 * std::sin(a), -5.2 * std::cos(a)), c + QPointF(4.2 * std::sin(a), -4.2 * std::cos(a)));
        }
        QPen hand(Qt::black, 1.3);
        hand.setCapStyle(Qt::RoundCap);
        p.setPen(hand);
        p.drawLine(c, c + QPointF(0, -4.2));
        p.drawLine(c, c + QPointF(3.0, 1.2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 0, 0));
        p.drawEllipse(c, 1, 1);
    });
}

QImage paintToolbarSummary() {
    return supersampled(QSize(16, 16), 8, [](QPainter& p) {
        // a pie chart with one slice drawn out
        const QRectF pie(1.5, 2.5, 12, 12);
        outlinePen(p, QColor(40, 40, 40), 0.9);
        p.setBrush(QColor(40, 100, 210));
        p.drawPie(pie, 90 * 16, 150 * 16);
        p.setBrush(QColor(240, 200, 40));
        p.drawPie(pie, 240 * 16, 120 * 16);
        p.setBrush(QColor(220, 50, 40));
        p.drawPie(pie.translated(1.5, -1.2), 0, 90 * 16);
    });
}

// The pictures of the help topics tree, 32 x 32.

// A book lying closed, its red cover facing the viewer.
void paintClosedBook(QPainter& p) {
    const QColor red(196, 28, 28);
    // the pages' edge showing below and to the right of the cover
    QPainterPath pages;
    pages.addRect(QRectF(9, 26, 19, 3));
    pages.addRect(QRectF(25, 7, 3, 22));
    p.fillPath(pages.simplified(), QColor(244, 238, 220));
    outlinePen(p, QColor(120, 110, 90), 0.8);
    for (double y : {27.0, 28.0}) p.drawLine(QPointF(10, y), QPointF(27, y));
    // the back cover, then the front cover
    p.setPen(Qt::NoPen);
    p.setBrush(red.darker(160));
    p.drawRoundedRect(QRectF(9, 28.5, 20, 2), 0.8, 0.8);
    QLinearGradient cover(4, 0, 26, 0);
    cover.setColorAt(0, red.darker(150));
    cover.setColorAt(0.18, red);
    cover.setColorAt(1, red.lighter(115));
    outlinePen(p, red.darker(220), 0.9);
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(4.5, 2.5, 21, 25), 1.2, 1.2);
    // the spine's hinge and a label on the cover
    outlinePen(p, red.darker(200), 0.8);
    p.drawLine(QPointF(8, 3), QPointF(8, 27));
    outlinePen(p, QColor(230, 190, 80), 0.8);
    p.setBrush(QColor(250, 236, 190));
    p.drawRect(QRectF(11.5, 8.5, 11, 6));
    outlinePen(p, QColor(150, 120, 60), 0.8);
    p.drawLine(QPointF(13.5, 10.5), QPointF(20.5, 10.5));
    p.drawLine(QPointF(13.5, 12.5), QPointF(18.5, 12.5));
}

// A book lying open: two pages with lines of text.
void paintOpenBook(QPainter& p) {
    const QColor red(196, 28, 28);
    // the cover showing round the pages
    QPainterPath cover;
    cover.moveTo(1, 9);
    cover.quadTo(8, 6, 16, 9.5);
    cover.quadTo(24, 6, 31, 9);
    cover.lineTo(31, 28);
    cover.quadTo(24, 25, 16, 28.5);
    cover.quadTo(8, 25, 1, 28);
    cover.closeSubpath();
    outlinePen(p, red.darker(220), 0.9);
    p.setBrush(red);
    p.drawPath(cover);
    // the two pages
    const auto page = [&](double outer, double sign) {
        QPainterPath path;
        path.moveTo(16, 8);
        path.quadTo(16 + sign * 7, 4, outer, 6.5);
        path.lineTo(outer, 25.5);
        path.quadTo(16 + sign * 7, 23, 16, 26.5);
        path.closeSubpath();
        QLinearGradient shade(16, 0, outer, 0);
        shade.setColorAt(0, QColor(214, 206, 186));
        shade.setColorAt(0.25, QColor(250, 247, 236));
        shade.setColorAt(1, QColor(240, 234, 214));
        outlinePen(p, QColor(120, 110, 90), 0.7);
        p.setBrush(shade);
        p.drawPath(path);
        outlinePen(p, QColor(90, 90, 110), 0.8);
        for (int i = 0; i < 6; ++i) {
            const double y = 10 + 2.5 * i;
            const double inner = 16 + sign * 2.5, end = outer - sign * (i == 5 ? 6 : 2.5);
            QPainterPath line;
            line.moveTo(inner, y + 0.6);
            line.quadTo((inner + end) / 2, y - 0.8, end, y);
            p.setBrush(Qt::NoBrush);
            p.drawPath(line);
        }
    };
    page(3, -1);
    page(29, 1);
}

// A ruled sheet with its corner folded.
void paintRuledPage(QPainter& p) {
    paintSheet(p, QRectF(5.5, 2.5, 21, 27), 6);
    outlinePen(p, QColor(110, 150, 220), 1.0);
    for (int i = 0; i < 7; ++i) {
        const double y = 11.5 + 2.5 * i;
        p.drawLine(QPointF(7.5, y), QPointF(24.5, y));
    }
    outlinePen(p, QColor(220, 80, 80), 1.0);
    p.drawLine(QPointF(10.5, 3), QPointF(10.5, 29));
    outlinePen(p, QColor(60, 60, 60), 1.0);
    p.drawLine(QPointF(12.5, 6.5), QPointF(18.5, 6.5));
}

// The help windows' icon: a red question mark on a white disc.
void paintHelpIcon(QPainter& p) {
    const QPointF c(32, 32);
    QRadialGradient disc(c - QPointF(8, 10), 36);
    disc.setColorAt(0, Qt::white);
    disc.setColorAt(0.7, QColor(244, 244, 244));
    disc.setColorAt(1, QColor(200, 200, 206));
    p.setPen(QPen(QColor(120, 120, 130), 2));
    p.setBrush(disc);
    p.drawEllipse(c, 29, 29);
    p.setPen(QColor(206, 18, 24));
    p.setFont(font(50, true, "DejaVu Sans"));
    p.drawText(QRectF(0, 1, 64, 64), Qt::AlignCenter, QStringLiteral("?"));
}

// ---------------------------------------------------------------------------
// Output

using Pictures = std::map<std::string, QImage>;

Pictures paintAll() {
    Pictures out;
    out["marble.png"] = paintMarble();
    const QImage desk = paintDeskTop();
    out["desk_top.png"] = desk;
    out["pedestal.png"] = paintPedestal();
    out["drawer_front.png"] = paintDrawerFront();
    out["books.png"] = paintBooks();
    out["notepad.png"] = paintNotepad(desk);
    out["calendar_large.png"] = paintCalendarLarge(desk);
    out["calendar_small.png"] = paintCalendarSmall(desk);
    out["light_bulb.png"] = paintLightBulb(desk);
    out["contacts_card.png"] = paintContactsCard(desk);
    out["address_book.png"] = paintAddressBook(desk);
    out["finance_ledger.png"] = paintLedger(desk);
    out["finance_coins.png"] = paintCoins(desk);
    out["red_pen.png"] = supersampled(QSize(64, 64), 4, paintPen);
    out["appointment_marker.png"] =
        supersampled(QSize(18, 17), 8, [](QPainter& p) { paintMarkerDisc(p, QColor(214, 24, 24)); }, Qt::white);
    out["birthday_marker.png"] =
        supersampled(QSize(18, 17), 8, [](QPainter& p) { paintMarkerDisc(p, QColor(30, 84, 214)); }, Qt::white);
    out["marker_legend.png"] = paintMarkerLegend();
    out["toolbar_open.png"] = paintToolbarOpen();
    out["toolbar_help.png"] = paintToolbarHelp();
    out["toolbar_new.png"] = paintToolbarNew();
    out["toolbar_addtrans.png"] = paintToolbarAddTrans();
    out["toolbar_debit.png"] = paintToolbarDebit();
    out["toolbar_summary.png"] = paintToolbarSummary();
    out["toolbar_trans.png"] = paintToolbarTrans();
    out["help_book_closed.png"] = supersampled(QSize(32, 32), 8, paintClosedBook);
    out["help_book_open.png"] = supersampled(QSize(32, 32), 8, paintOpenBook);
    out["help_page.png"] = supersampled(QSize(32, 32), 8, paintRuledPage);
    out["help_icon.png"] = supersampled(QSize(64, 64), 4, paintHelpIcon);
    return out;
}

// Pictures without any transparent pixel are written without an alpha channel.
QImage withoutNeedlessAlpha(const QImage& img) {
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(row[x]) != 255) return img;
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

// The desk as the main window shows it, pictures stretched to their controls.
QImage deskMockup(const Pictures& pics) {
    QImage img = blankImage(scene::kClient, QColor(60, 60, 60));
    QPainter p(&img);
    beginPainting(p);
    const auto place = [&](const char* name, const QRect& r) { p.drawImage(QRectF(r), pics.at(name)); };
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            place("marble.png", QRect(x * scene::kMarbleStep, y * scene::kMarbleStep, scene::kMarbleTile, scene::kMarbleTile));
    place("desk_top.png", scene::kDeskTop);
    for (const QRect& pedestal : scene::kPedestals) {
        place("pedestal.png", pedestal);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(pedestal).adjusted(0.5, 0.5, -0.5, -0.5));
        for (const int top : scene::kDrawerTops) {
            const QRect front(QPoint(pedestal.left(), top), scene::kDrawer);
            place("drawer_front.png", front);
            const QRect handle = scene::kDrawerHandle.translated(front.topLeft());
            p.setPen(QPen(QColor(40, 0, 0), 1));
            p.setBrush(QColor(150, 20, 24));
            p.drawRect(QRectF(handle).adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
    place("books.png", scene::kBooks);
    place("notepad.png", scene::kNotepad);
    place("calendar_large.png", scene::kCalendarLarge);
    place("light_bulb.png", scene::kLightBulb);
    place("calendar_small.png", scene::kCalendarSmall);
    place("contacts_card.png", scene::kContacts);
    place("address_book.png", scene::kAddressBook);
    place("finance_ledger.png", scene::kLedger);
    place("finance_coins.png", scene::kCoins);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QString outDir = QStringLiteral("assets");
    QString mockup;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mockup") && i + 1 < args.size())
            mockup = args[++i];
        else
            outDir = args[i];
    }
    QDir().mkpath(outDir);
    const Pictures pics = paintAll();
    for (const auto& [name, picture] : pics) {
        const QString path = QDir(outDir).filePath(QString::fromStdString(name));
        const QImage img = withoutNeedlessAlpha(picture);
        if (!img.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%-24s %4d x %-4d\n", name.c_str(), img.width(), img.height());
    }
    if (!mockup.isEmpty()) {
        if (!deskMockup(pics).save(mockup, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(mockup));
            return 1;
        }
        std::printf("mock-up: %s\n", qPrintable(mockup));
    }
    return 0;
}
