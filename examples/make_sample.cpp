// Draws the bundled sample model: a house with a smoking chimney, a tree, the sun and the
// ground, stroke by stroke in the order a person would draw them, each point nudged a little
// as a hand would.

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "model/Model.h"
#include "model/ModelFileIO.h"

namespace {

struct Pen {
    zef::Model& model;
    zef::Random& random;

    int Wobble() { return random.Next() % 3 - 1; }

    void Stroke(std::initializer_list<std::pair<int, int>> corners) {
        bool first = true;
        for (const auto& [x, y] : corners) {
            model.AppendPoint(x + Wobble(), y + Wobble(), !first);
            first = false;
        }
    }

    // An arc around (cx, cy) from angle `from` to `to` in degrees, one point every `step`.
    void Arc(int cx, int cy, int rx, int ry, int from, int to, int step) {
        for (int a = from; a <= to; a += step) {
            const double r = a * 3.141592 / 180.0;
            model.AppendPoint(cx + static_cast<int>(rx * std::cos(r)) + Wobble(),
                              cy - static_cast<int>(ry * std::sin(r)) + Wobble(), a != from);
        }
    }
};

void DrawHouse(Pen& pen) {
    pen.Stroke({{250, 470}, {250, 300}, {470, 300}, {470, 470}, {250, 470}});
    pen.Stroke({{230, 310}, {360, 190}, {490, 310}});
    pen.Stroke({{420, 250}, {420, 195}, {450, 195}, {450, 278}});
    pen.Stroke({{335, 470}, {335, 380}, {385, 380}, {385, 470}});
    pen.Stroke({{373, 428}, {375, 430}});
    pen.Stroke({{280, 330}, {280, 380}, {320, 380}, {320, 330}, {280, 330}});
    pen.Stroke({{300, 330}, {300, 380}});
    pen.Stroke({{280, 355}, {320, 355}});
    pen.Stroke({{405, 330}, {405, 380}, {445, 380}, {445, 330}, {405, 330}});
}

void DrawSmoke(Pen& pen) {
    for (int puff = 0; puff < 3; ++puff) {
        pen.Arc(440 + puff * 22, 170 - puff * 34, 10 + puff * 4, 8 + puff * 3, 0, 360, 30);
    }
}

void DrawTree(Pen& pen) {
    pen.Stroke({{600, 470}, {605, 380}, {600, 340}});
    pen.Stroke({{640, 470}, {635, 380}, {640, 340}});
    pen.Arc(620, 300, 70, 60, 0, 360, 15);
    pen.Stroke({{605, 380}, {575, 350}});
    pen.Stroke({{635, 390}, {665, 360}});
}

void DrawSun(Pen& pen) {
    pen.Arc(120, 110, 45, 45, 0, 360, 15);
    for (int a = 0; a < 360; a += 45) {
        const double r = a * 3.141592 / 180.0;
        pen.Stroke(
            {{120 + static_cast<int>(60 * std::cos(r)), 110 - static_cast<int>(60 * std::sin(r))},
             {120 + static_cast<int>(85 * std::cos(r)), 110 - static_cast<int>(85 * std::sin(r))}});
    }
}

void DrawGround(Pen& pen) {
    pen.Stroke({{20, 480},
                {120, 472},
                {220, 476},
                {340, 470},
                {460, 478},
                {580, 471},
                {700, 476},
                {780, 470}});
    pen.Stroke({{60, 530}, {90, 522}, {120, 530}});
    pen.Stroke({{520, 540}, {550, 531}, {580, 540}});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_sample OUT.zfm\n", stderr);
        return 2;
    }
    zef::Model model;
    zef::Random random(1977);
    Pen pen{model, random};
    DrawGround(pen);
    DrawHouse(pen);
    DrawSmoke(pen);
    DrawTree(pen);
    DrawSun(pen);
    if (!zef::WriteModelFile(argv[1], model)) {
        std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
