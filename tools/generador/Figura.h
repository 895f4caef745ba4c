// A figure of the sprite sheet before it gets its colours: every pixel holds
// a material (jacket, tyre, snow...) and a light level. The same figure is
// painted in the style of either graphic set: "New" with a shading ramp per
// material, dithered blends and soft dark outlines; "Original" flat, with a
// small palette and bold black outlines.
#ifndef FIGURA_H
#define FIGURA_H

#include <cstdint>
#include <functional>
#include <vector>

#include "Dibujo.h"
#include "Lienzo.h"

enum Material : uint8_t {
    MVacio,
    MNegro,     // ink: eyes, grips, bindings, seams
    MBlanco,    // white paint, pompom, eye whites
    MNieve,     // snow
    MMetal,     // rims, bumpers, poles of the finish
    MGoma,      // tyres
    MCristal,   // windows
    MFaro,      // headlights
    MPiloto,    // rear lights, the cross of the ambulance
    MRojo,      // body paint of the red vehicles
    MAzul,      // body paint of the blue vehicles
    MVerde,     // body paint of the green vehicles
    MAmarillo,  // body paint of the yellow vehicles
    MNaranja,   // the box of the first lorry
    MPlata,     // the tank of the second lorry
    MPiel,      // skin
    MPelo,      // hair
    MGorro,     // the hero's bobble hat
    MChaqueta,  // the hero's jacket
    MBufanda,   // the hero's scarf
    MPantalon,  // trousers
    MBota,      // boots
    MGuante,    // mittens
    MEsqui,     // skis
    MBaston,    // ski poles
    MMadera,    // tree trunks
    MPino,      // pine needles
    MBandRoja,  // left flag of a gate
    MBandAzul,  // right flag of a gate
    MLuzAzul,   // the ambulance's blue light
    MCasco,     // the rider's helmet
    MCuero,     // the rider's suit
    NumMateriales
};

// Light levels: the four steps of a material's ramp. Shapes may use any value
// between them; the "New" set dithers where a value falls between two steps.
const int LuzOscura = 16;
const int LuzSombra = 72;
const int LuzBase = 136;
const int LuzBrillo = 208;

// A light rule of a filled shape: the light level for a pixel.
typedef std::function<int(int x, int y)> Luz;

Luz LuzFija(int nivel);
// A ball lit from the top left.
Luz LuzEsfera(double cx, double cy, double rx, double ry);
// A horizontal cylinder (axis along x) lit from above.
Luz LuzCilindro(double cy, double r);
// A vertical cylinder (axis along y) lit from the left.
Luz LuzColumna(double cx, double r);
// A raised panel: bright top and left edges, dark bottom and right edges.
Luz LuzBisel(int x, int y, int w, int h);
// A blend from one level at row y0 to another at row y1.
Luz LuzVertical(int y0, int y1, int arriba, int abajo);

class Figura {
public:
    Figura(int ancho, int alto);

    int VerAncho() const { return ancho; }
    int VerAlto() const { return alto; }
    bool Solido(int x, int y) const;
    Material VerMaterial(int x, int y) const;
    int VerLuz(int x, int y) const;

    // One pixel; `sinContorno` keeps it from raising an outline around itself
    // (thin poles and threads that would look too heavy outlined).
    void Pon(int x, int y, Material m, int luz, bool sinContorno = false);
    void Quita(int x, int y);
    // Changes the light of the solid pixels of a material inside a box by `delta`.
    void Aclara(int x, int y, int w, int h, int delta);

    void Caja(int x, int y, int w, int h, Material m, const Luz& luz, bool sinContorno = false);
    void Elipse(double cx, double cy, double rx, double ry, Material m, const Luz& luz, bool sinContorno = false);
    void Poligono(const std::vector<Punto>& puntos, Material m, const Luz& luz, bool sinContorno = false);
    void Trazo(Punto a, Punto b, double grosor, Material m, const Luz& luz, bool sinContorno = false);
    // Clears every pixel of an ellipse (cut-outs such as wheel arches).
    void Recorta(double cx, double cy, double rx, double ry);

    // Pixel art from text rows, one character a pixel (see the legend in
    // Figura.cpp); '.' and ' ' leave the figure as it was.
    void Arte(int x, int y, const std::vector<const char*>& filas);

    // Another figure copied over this one at (x, y).
    void Superpone(const Figura& otra, int x, int y);

    // The figure flipped left to right.
    Figura Espejo() const;

    // Paints the figure with its outline into a picture at (x, y), in the style
    // of graphic set `set`; never outside its own w x h area.
    void Pinta(Lienzo& l, int x, int y, int set) const;

private:
    size_t Indice(int x, int y) const { return static_cast<size_t>(y) * ancho + x; }
    bool Dentro(int x, int y) const { return x >= 0 && y >= 0 && x < ancho && y < alto; }

    int ancho;
    int alto;
    std::vector<uint8_t> material;
    std::vector<uint8_t> luz;
    std::vector<uint8_t> sinBorde;
};

// The colour a material takes at a light level, in a graphic set's style,
// at pixel (x, y) (the "New" set dithers between the steps of its ramp).
Color ColorMaterial(Material m, int luz, int set, int x, int y);

// The colour of the outline around a material.
Color ColorContorno(Material m, int set);

#endif
