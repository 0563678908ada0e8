// Draws the export size benchmark's corpus: drawings unlike the bundled sample, each with the
// export options it is benched with. `make_corpus DIR` writes DIR/<name>.zfm for each and
// prints one line per drawing, its name and then its zefcli export options.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "canvas/Shapes.h"
#include "model/Model.h"
#include "model/ModelFileIO.h"

namespace {

struct Drawing {
    const char* name;
    const char* options;
    zef::Model model;
};

// The replay's step is set per drawing so that each replays in some 50 to 200 frames.
zef::Model Canvas(std::int32_t width, std::int32_t height, std::int32_t shake,
                  std::int32_t vtrSpeed = 40) {
    zef::Model model;
    model.properties.vtrSpeed = vtrSpeed;
    model.properties.canvasWidth = width;
    model.properties.canvasHeight = height;
    model.properties.shakeStrength = shake;
    return model;
}

void Line(zef::Model& model, int x0, int y0, int x1, int y1) {
    model.AppendPoint(x0, y0, false);
    model.AppendPoint(x1, y1, true);
}

// A few long straight strokes across the canvas.
zef::Model Sparse() {
    zef::Model model = Canvas(800, 600, 3);
    Line(model, 60, 80, 740, 120);
    Line(model, 100, 520, 700, 300);
    Line(model, 400, 40, 420, 560);
    Line(model, 50, 300, 300, 310);
    return model;
}

// Strokes that wander in short random segments over the whole canvas, many points each.
zef::Model Scribble(std::int32_t width, std::int32_t height, std::int32_t shake, int strokes,
                    int points, std::uint32_t seed) {
    zef::Random random(seed);
    const int step = std::max(3, std::min(width, height) / 20);
    zef::Model model = Canvas(width, height, shake, strokes * points * step / 150);
    const auto fold = [](int value, int size) {
        value = value < 0 ? -value : value;
        return value >= size ? 2 * (size - 1) - value : value;
    };
    for (int stroke = 0; stroke < strokes; ++stroke) {
        int x = random.Next() % width;
        int y = random.Next() % height;
        model.AppendPoint(x, y, false);
        for (int i = 1; i < points; ++i) {
            const double angle = (random.Next() % 360) * 3.141592 / 180;
            x = fold(x + static_cast<int>(step * std::cos(angle)), width);
            y = fold(y + static_cast<int>(step * std::sin(angle)), height);
            model.AppendPoint(x, y, true);
        }
    }
    return model;
}

// Rectangles and a disc filled by close zigzags of wide lines.
zef::Model Filled() {
    zef::Model model = Canvas(640, 480, 3, 160);
    model.properties.lineWidth = 10;
    const auto fill = [&model](int left, int top, int right, int bottom) {
        model.AppendPoint(left, top, false);
        for (int y = top; y <= bottom; y += 8) {
            model.AppendPoint(left, y, true);
            model.AppendPoint(right, y, true);
            model.AppendPoint(right, y + 4, true);
            model.AppendPoint(left, y + 4, true);
        }
    };
    fill(40, 40, 260, 200);
    fill(340, 260, 600, 440);
    for (int y = -90; y <= 90; y += 8) {
        const int half = static_cast<int>(std::sqrt(90.0 * 90 - y * y));
        model.AppendPoint(450 - half, 130 + y, y != -90);
        model.AppendPoint(450 + half, 130 + y, true);
    }
    return model;
}

// A shape drawn with the editor's rectangle or ellipse tool, filled (hatched) or outlined.
struct Shape {
    bool ellipse;
    zef::CanvasPoint from, to;
    bool filled;
};

// Shapes drawn with the editor's own tools, in order, with lines `width` pixels wide.
zef::Model Shapes(std::int32_t width, std::int32_t vtrSpeed, std::uint32_t seed,
                  std::initializer_list<Shape> shapes) {
    zef::Model model = Canvas(800, 600, 3, vtrSpeed);
    model.properties.lineWidth = width;
    zef::Random random(seed);
    for (const Shape& shape : shapes) {
        (shape.ellipse ? zef::AddEllipse : zef::AddRectangle)(model, random, shape.from, shape.to,
                                                              shape.filled);
    }
    return model;
}

// Concentric rings and rays on a large canvas.
zef::Model Big() {
    zef::Model model = Canvas(1600, 1200, 3, 150);
    model.properties.lineWidth = 6;
    for (int ring = 1; ring <= 6; ++ring) {
        for (int a = 0; a <= 360; a += 10) {
            const double r = a * 3.141592 / 180;
            model.AppendPoint(800 + static_cast<int>(90 * ring * std::cos(r)),
                              600 - static_cast<int>(90 * ring * std::sin(r)), a != 0);
        }
    }
    for (int a = 0; a < 360; a += 30) {
        const double r = a * 3.141592 / 180;
        Line(model, 800, 600, 800 + static_cast<int>(700 * std::cos(r)),
             600 - static_cast<int>(560 * std::sin(r)));
    }
    return model;
}

// A face on a canvas of a few dozen pixels.
zef::Model Tiny() {
    zef::Model model = Canvas(64, 48, 1, 6);
    model.properties.lineWidth = 2;
    for (int a = 0; a <= 360; a += 20) {
        const double r = a * 3.141592 / 180;
        model.AppendPoint(32 + static_cast<int>(20 * std::cos(r)),
                          24 - static_cast<int>(18 * std::sin(r)), a != 0);
    }
    Line(model, 24, 18, 25, 20);
    Line(model, 39, 18, 40, 20);
    Line(model, 22, 30, 42, 30);
    return model;
}

// A grid of straight lines, jittered as hard as `shake` says.
zef::Model Grid(std::int32_t shake) {
    zef::Model model = Canvas(800, 600, shake);
    for (int x = 100; x < 800; x += 100) {
        Line(model, x, 50, x, 550);
    }
    for (int y = 100; y < 600; y += 100) {
        Line(model, 50, y, 750, y);
    }
    return model;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_corpus DIR\n", stderr);
        return 2;
    }
    std::vector<Drawing> corpus;
    corpus.push_back({"sparse", "--vtr", Sparse()});
    corpus.push_back({"scribble", "--vtr", Scribble(800, 600, 3, 40, 60, 7)});
    corpus.push_back({"scribble_shake", "", Scribble(800, 600, 3, 120, 60, 11)});
    corpus.push_back({"filled", "--vtr", Filled()});
    // Outlined and hatched by the filled tools, with a few plain outlines.
    corpus.push_back({"hatched", "--vtr",
                      Shapes(3, 120, 5,
                             {{false, {60, 60}, {330, 250}, true},
                              {true, {420, 50}, {740, 290}, true},
                              {false, {90, 340}, {380, 560}, false},
                              {true, {150, 380}, {320, 520}, true},
                              {false, {460, 350}, {720, 540}, true},
                              {true, {500, 380}, {680, 510}, false}})});
    corpus.push_back({"outlines", "--vtr",
                      Shapes(8, 60, 9,
                             {{false, {60, 60}, {330, 250}, false},
                              {true, {420, 50}, {740, 290}, false},
                              {false, {90, 340}, {380, 560}, false},
                              {true, {460, 350}, {720, 540}, false}})});
    corpus.push_back({"big", "--vtr", Big()});
    corpus.push_back({"tiny", "--vtr", Tiny()});
    corpus.push_back({"steady", "--vtr", Grid(0)});
    corpus.push_back({"strong_shake", "", Grid(10)});
    corpus.push_back({"aa", "--vtr --aa --size 400x300", Scribble(800, 600, 3, 12, 40, 5)});
    corpus.push_back({"transparent", "--vtr --transparent", Scribble(800, 600, 3, 12, 40, 3)});
    for (const Drawing& drawing : corpus) {
        const std::string path = std::string(argv[1]) + "/" + drawing.name + ".zfm";
        if (!zef::WriteModelFile(path, drawing.model)) {
            std::fprintf(stderr, "make_corpus: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s %s\n", drawing.name, drawing.options);
    }
    return 0;
}
