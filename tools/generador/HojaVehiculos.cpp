// The traffic of the road: two lorries, two cars, the ambulance and the
// motorbike, seen from the side and driving to the right.
#include <cmath>

#include "Constantes.h"
#include "Figuras.h"

namespace {

const double Pi = 3.14159265358979;

// The cab shared by both lorries: a flat-fronted cab with a sloping windscreen.
void Cabina(Figura& f, Material pintura, int set)
{
    std::vector<Punto> cab = {{76, 12}, {99, 12}, {101, 13}, {107, 23}, {109, 25}, {110, 40}, {76, 40}};
    f.Poligono(cab, pintura, [](int x, int y) {
        if (y <= 12)
            return LuzBrillo;
        if (y >= 37)
            return LuzSombra;
        return x <= 77 ? LuzBrillo - 30 : LuzBase;
    });
    // Windscreen and side window in one pane, with a bright streak across.
    std::vector<Punto> vidrio = {{86, 15}, {99, 15}, {105, 25}, {86, 25}};
    f.Poligono(vidrio, MCristal, [set](int x, int y) {
        int d = x - y;
        if (y == 15)
            return LuzSombra;
        if (set == 0 && (d == 76 || d == 77 || d == 81))
            return LuzBrillo;
        return LuzBase;
    });
    // Door seam and handle.
    for (int y = 14; y <= 38; y++)
        f.Pon(84, y, pintura, LuzOscura);
    for (int x = 84; x <= 106; x++)
        f.Pon(x, 27, pintura, LuzSombra);
    f.Caja(87, 29, 3, 1, MMetal, LuzFija(LuzBrillo));
    // Headlight, indicator, bumper and the exhaust stack behind the cab.
    f.Caja(107, 28, 3, 3, MFaro, LuzFija(LuzBrillo));
    f.Caja(108, 32, 2, 2, MNaranja, LuzFija(LuzBase));
    f.Caja(97, 38, 14, 3, MMetal, LuzBisel(97, 38, 14, 3));
    f.Caja(74, 3, 2, 10, MMetal, LuzColumna(75, 1.2));
    f.Caja(73, 2, 4, 1, MNegro, LuzFija(LuzBase));
    // Step under the door.
    f.Caja(86, 37, 8, 2, MNegro, LuzFija(LuzBase));
}

void Chasis(Figura& f)
{
    f.Caja(2, 35, 106, 4, MNegro, LuzVertical(35, 38, LuzBase, LuzOscura));
}

// A dark wheel arch and the wheel in it.
void RuedaEnPaso(Figura& f, double cx, double cy, double r, int frame, int set)
{
    f.Elipse(cx, cy, r + 1.6, r + 1.6, MNegro, LuzFija(LuzOscura));
    Rueda(f, cx, cy, r, frame, set);
}

Figura CamionCaja(int frame, int set)
{
    Figura f(AnchoCamion, AltoCamion);
    const int x0 = 2, y0 = 2, w = 71, h = 33;
    f.Caja(x0, y0, w, h, MNaranja, LuzBisel(x0, y0, w, h));
    // Ribbed panels of the box.
    for (int x = x0 + 12; x < x0 + w - 4; x += 12)
        for (int y = y0 + 2; y < y0 + h - 2; y++) {
            f.Pon(x, y, MNaranja, LuzSombra);
            if (set == 0)
                f.Pon(x + 1, y, MNaranja, LuzBrillo - 20);
        }
    f.Caja(x0, y0 + 1, w, 1, MNaranja, LuzFija(LuzBrillo - 10));
    // A big snowflake painted on the side.
    const double cx = 38, cy = 18;
    for (int k = 0; k < 6; k++) {
        double a = k * Pi / 3 + Pi / 2;
        Punto fin{cx + std::cos(a) * 11, cy + std::sin(a) * 11};
        f.Trazo({cx, cy}, fin, 1.8, MBlanco, LuzFija(LuzBase));
        Punto medio{cx + std::cos(a) * 6.5, cy + std::sin(a) * 6.5};
        for (int s = -1; s <= 1; s += 2) {
            double b = a + s * Pi / 4;
            f.Trazo(medio, {medio.x + std::cos(b) * 4, medio.y + std::sin(b) * 4}, 1.4, MBlanco, LuzFija(LuzBase));
        }
    }
    f.Elipse(cx, cy, 2.2, 2.2, MBlanco, LuzFija(LuzBrillo));
    // Rear lights and the rail under the box.
    f.Caja(1, 27, 2, 5, MPiloto, LuzFija(LuzBase));
    Chasis(f);
    Cabina(f, MAzul, set);
    // Fuel tank between the axles.
    f.Caja(48, 36, 18, 5, MMetal, LuzCilindro(38.5, 2.5));
    f.Caja(48, 36, 1, 5, MMetal, LuzFija(LuzSombra));
    RuedaEnPaso(f, 16, 40, 6.5, frame, set);
    RuedaEnPaso(f, 31, 40, 6.5, frame, set);
    RuedaEnPaso(f, 96, 40, 6.5, frame, set);
    return f;
}

Figura CamionCisterna(int frame, int set)
{
    Figura f(AnchoCamion, AltoCamion);
    // The tank: a long cylinder with rounded ends.
    const double cy = 21, r = 13;
    f.Caja(9, 8, 58, 27, MPlata, LuzCilindro(cy, r));
    f.Elipse(9, cy, 7, r + 0.5, MPlata, [](int x, int y) { return LuzCilindro(21, 13)(x, y) - (x < 5 ? 25 : 0); });
    f.Elipse(67, cy, 6, r + 0.5, MPlata, LuzCilindro(cy, r));
    // Bands round the tank and a red stripe along it.
    for (int x : {21, 37, 53})
        for (int y = 8; y < 35; y++) {
            f.Pon(x, y, MPlata, f.VerLuz(x, y) - 60);
            f.Pon(x + 1, y, MPlata, f.VerLuz(x + 1, y) + (set == 0 ? 25 : 0));
        }
    for (int x = 3; x <= 72; x++)
        for (int y = 22; y <= 24; y++)
            if (f.Solido(x, y))
                f.Pon(x, y, MRojo, y == 22 ? LuzBrillo - 20 : LuzBase);
    // Hatches and a walkway on top, a ladder at the back.
    f.Caja(26, 5, 6, 3, MMetal, LuzBisel(26, 5, 6, 3));
    f.Caja(44, 5, 6, 3, MMetal, LuzBisel(44, 5, 6, 3));
    for (int x = 14; x <= 62; x++)
        f.Pon(x, 7, MNegro, LuzBase);
    for (int y = 9; y <= 34; y += 3)
        f.Caja(2, y, 3, 1, MMetal, LuzFija(LuzBrillo), true);
    f.Caja(2, 8, 1, 27, MMetal, LuzFija(LuzBase), true);
    // Saddles holding the tank to the chassis.
    f.Caja(12, 31, 6, 4, MNegro, LuzFija(LuzBase));
    f.Caja(58, 31, 6, 4, MNegro, LuzFija(LuzBase));
    // A hazard plate and the rear light.
    f.Caja(4, 28, 5, 4, MNaranja, LuzFija(LuzBase));
    f.Caja(1, 33, 2, 3, MPiloto, LuzFija(LuzBase));
    Chasis(f);
    Cabina(f, MRojo, set);
    RuedaEnPaso(f, 16, 40, 6.5, frame, set);
    RuedaEnPaso(f, 31, 40, 6.5, frame, set);
    RuedaEnPaso(f, 96, 40, 6.5, frame, set);
    return f;
}

// Light rule of a car's body: bright shoulder line, darker sill.
Luz LuzCarroceria(int arriba, int abajo)
{
    return [=](int, int y) {
        if (y <= arriba)
            return LuzBrillo;
        if (y == arriba + 1)
            return LuzBase + 30;
        if (y >= abajo - 1)
            return LuzSombra;
        return LuzBase;
    };
}

// Side windows of a car, with a pillar between them and a glint.
void Ventanas(Figura& f, const std::vector<Punto>& trasera, const std::vector<Punto>& delantera, int set)
{
    Luz brillo = [set](int x, int y) {
        if (set == 0 && ((x - y) % 9 == 0 || (x - y) % 9 == 1))
            return LuzBrillo;
        return LuzBase;
    };
    f.Poligono(trasera, MCristal, brillo);
    f.Poligono(delantera, MCristal, brillo);
}

Figura CocheEsquis(int frame, int set)
{
    Figura f(AnchoCoche1, AltoCoche1);
    std::vector<Punto> cabina = {{4, 14}, {9, 5}, {12, 4}, {35, 4}, {39, 5}, {48, 14}};
    f.Poligono(cabina, MRojo, LuzCarroceria(5, 40));
    std::vector<Punto> caja = {{2, 15}, {4, 13}, {49, 13}, {57, 15}, {61, 18}, {62, 26}, {60, 28}, {3, 28}, {2, 26}};
    f.Poligono(caja, MRojo, LuzCarroceria(13, 28));
    Ventanas(f, {{8, 13}, {11, 7}, {21, 7}, {21, 13}}, {{24, 7}, {35, 7}, {42, 13}, {24, 13}}, set);
    // Door seam, handle and a dark rubbing strip.
    for (int y = 8; y <= 26; y++)
        f.Pon(23, y, MRojo, LuzOscura);
    f.Caja(26, 16, 3, 1, MMetal, LuzFija(LuzBrillo));
    f.Caja(3, 22, 58, 1, MNegro, LuzFija(LuzBase));
    // Lights and bumpers.
    f.Caja(59, 17, 3, 3, MFaro, LuzFija(LuzBrillo));
    f.Caja(2, 15, 2, 4, MPiloto, LuzFija(LuzBase));
    f.Caja(56, 25, 7, 3, MMetal, LuzBisel(56, 25, 7, 3));
    f.Caja(1, 25, 5, 3, MMetal, LuzBisel(1, 25, 5, 3));
    // Roof rack with a pair of skis on it, tips curled forward.
    f.Caja(12, 2, 2, 2, MNegro, LuzFija(LuzBase));
    f.Caja(32, 2, 2, 2, MNegro, LuzFija(LuzBase));
    f.Caja(5, 1, 38, 1, MEsqui, LuzFija(LuzBrillo));
    f.Caja(5, 2, 36, 1, MEsqui, LuzFija(LuzSombra));
    f.Caja(42, 0, 2, 1, MEsqui, LuzFija(LuzBase));
    f.Caja(41, 2, 1, 1, MEsqui, LuzFija(LuzSombra));
    Rueda(f, 13.5, 25.5, 5, frame, set);
    Rueda(f, 50.5, 25.5, 5, frame, set);
    return f;
}

Figura CocheNevado(int frame, int set)
{
    Figura f(AnchoCoche2, AltoCoche2);
    std::vector<Punto> cabina = {{13, 14}, {19, 6}, {22, 5}, {38, 5}, {41, 6}, {47, 14}};
    f.Poligono(cabina, MAzul, LuzCarroceria(6, 40));
    std::vector<Punto> caja = {{2, 16}, {3, 14}, {14, 13}, {49, 13}, {58, 15}, {62, 18}, {62, 26}, {60, 28}, {3, 28}, {2, 26}};
    f.Poligono(caja, MAzul, LuzCarroceria(14, 28));
    Ventanas(f, {{16, 13}, {21, 8}, {29, 8}, {29, 13}}, {{31, 8}, {39, 8}, {44, 13}, {31, 13}}, set);
    for (int y = 9; y <= 26; y++)
        f.Pon(30, y, MAzul, LuzOscura);
    f.Caja(33, 16, 3, 1, MMetal, LuzFija(LuzBrillo));
    // Chrome trim along the side.
    f.Caja(3, 21, 58, 1, MMetal, LuzFija(LuzBrillo - 20));
    f.Caja(59, 17, 3, 3, MFaro, LuzFija(LuzBrillo));
    f.Caja(2, 16, 2, 3, MPiloto, LuzFija(LuzBase));
    f.Caja(56, 25, 7, 3, MMetal, LuzBisel(56, 25, 7, 3));
    f.Caja(1, 25, 5, 3, MMetal, LuzBisel(1, 25, 5, 3));
    // A thick cushion of snow on the roof, as if it had been parked all night.
    f.Elipse(30, 5.5, 14, 3.6, MNieve, LuzEsfera(27, 4, 15, 4.5));
    f.Caja(18, 5, 25, 2, MNieve, [](int x, int y) { return y == 6 ? LuzSombra : (x < 30 ? LuzBrillo : LuzBase); });
    f.Pon(19, 7, MNieve, LuzSombra);
    f.Pon(41, 7, MNieve, LuzSombra);
    f.Caja(50, 13, 6, 1, MNieve, LuzFija(LuzBase));
    f.Caja(4, 13, 8, 1, MNieve, LuzFija(LuzBase));
    Rueda(f, 13.5, 25.5, 5, frame, set);
    Rueda(f, 50.5, 25.5, 5, frame, set);
    return f;
}

Figura Ambulancia(int frame, int set)
{
    Figura f(AnchoAmbulancia, AltoAmbulancia);
    f.Caja(2, 4, 44, 24, MBlanco, LuzBisel(2, 4, 44, 24));
    std::vector<Punto> frente = {{45, 7}, {51, 7}, {57, 14}, {61, 16}, {62, 19}, {62, 26}, {61, 28}, {45, 28}};
    f.Poligono(frente, MBlanco, LuzCarroceria(7, 28));
    f.Poligono({{47, 9}, {51, 9}, {56, 15}, {47, 15}}, MCristal, LuzFija(LuzBase));
    if (set == 0)
        f.Pon(48, 10, MCristal, LuzBrillo);
    // The red band and the red cross.
    for (int x = 2; x <= 62; x++)
        for (int y = 19; y <= 20; y++)
            if (f.Solido(x, y))
                f.Pon(x, y, MPiloto, y == 19 ? LuzBase : LuzSombra);
    f.Caja(20, 6, 5, 12, MPiloto, LuzFija(LuzBase));
    f.Caja(16, 9, 13, 5, MPiloto, LuzFija(LuzBase));
    // Door seams, handle, lights, bumpers.
    for (int y = 6; y <= 26; y++) {
        f.Pon(44, y, MBlanco, LuzOscura);
        f.Pon(3, y, MBlanco, LuzSombra);
    }
    f.Caja(47, 17, 3, 1, MMetal, LuzFija(LuzSombra));
    f.Caja(59, 17, 3, 2, MFaro, LuzFija(LuzBrillo));
    f.Caja(2, 22, 2, 3, MPiloto, LuzFija(LuzBase));
    f.Caja(56, 25, 7, 3, MMetal, LuzBisel(56, 25, 7, 3));
    f.Caja(1, 25, 5, 3, MMetal, LuzBisel(1, 25, 5, 3));
    // The blue light on the roof flashes: lit in frames 0 and 2.
    bool encendida = frame % 2 == 0;
    f.Caja(36, 1, 6, 3, MLuzAzul, LuzFija(encendida ? LuzBrillo : LuzSombra));
    f.Caja(35, 3, 8, 1, MNegro, LuzFija(LuzBase));
    if (encendida) {
        f.Pon(34, 1, MLuzAzul, LuzBrillo, true);
        f.Pon(43, 1, MLuzAzul, LuzBrillo, true);
        f.Pon(38, 0, MLuzAzul, LuzBrillo, true);
        f.Pon(39, 0, MLuzAzul, LuzBrillo, true);
    }
    Rueda(f, 13.5, 25.5, 5, frame, set);
    Rueda(f, 50.5, 25.5, 5, frame, set);
    return f;
}

Figura Moto(int frame, int set)
{
    Figura f(AnchoMoto, AltoMoto);
    // Exhaust, engine, tank, seat, fork and mudguard.
    f.Trazo({3, 24.5}, {13, 24.5}, 2, MMetal, LuzCilindro(24.5, 1));
    f.Caja(11, 19, 9, 6, MNegro, LuzBisel(11, 19, 9, 6));
    f.Caja(13, 21, 4, 2, MMetal, LuzFija(LuzBase));
    f.Poligono({{10, 16}, {14, 14}, {21, 14}, {23, 16}, {21, 19}, {10, 19}}, MRojo, LuzCarroceria(14, 19));
    f.Caja(5, 15, 8, 2, MNegro, LuzFija(LuzBase));
    f.Trazo({7, 20}, {12, 17}, 2, MRojo, LuzFija(LuzBase));
    f.Trazo({25.5, 25}, {22, 12}, 1.8, MMetal, LuzFija(LuzBrillo));
    f.Poligono({{20, 19}, {24, 17}, {29, 19}, {29, 20}, {21, 20}}, MRojo, LuzFija(LuzBase));
    f.Caja(23, 11, 3, 3, MFaro, LuzFija(LuzBrillo));
    f.Caja(3, 17, 2, 2, MPiloto, LuzFija(LuzBase));
    // The rider: boot on the peg, leg, body leaning forward, arm to the bar, helmet.
    f.Trazo({11, 15}, {17, 17}, 3.6, MCuero, LuzFija(LuzBase));
    f.Trazo({17, 17}, {15, 22}, 3, MCuero, LuzFija(LuzSombra));
    f.Caja(14, 22, 4, 2, MBota, LuzFija(LuzBase));
    f.Trazo({11, 14}, {16, 8}, 5, MAzul, LuzFija(LuzBase));
    f.Trazo({12, 12}, {16, 7}, 1.2, MAzul, LuzFija(LuzBrillo));
    f.Trazo({16, 9}, {21, 12}, 2.2, MAzul, LuzFija(LuzSombra));
    f.Caja(21, 11, 2, 2, MNegro, LuzFija(LuzBase));
    f.Elipse(17.5, 4.5, 3.8, 3.6, MCasco, LuzEsfera(17.5, 4.5, 3.8, 3.6));
    f.Caja(19, 3, 3, 2, MCristal, LuzFija(LuzSombra));
    if (set == 0)
        f.Pon(19, 3, MCristal, LuzBrillo);
    Rueda(f, 6.5, 25.5, 5.5, frame, set);
    Rueda(f, 25.5, 25.5, 5.5, frame, set);
    return f;
}

}  // namespace

void Rueda(Figura& f, double cx, double cy, double r, int frame, int set)
{
    // A hair under the radius keeps single pixels from poking out of the round.
    f.Elipse(cx, cy, r - 0.3, r - 0.3, MGoma, LuzEsfera(cx, cy, r, r));
    double rl = r * 0.62;
    f.Elipse(cx, cy, rl, rl, MMetal, set == 0 ? LuzEsfera(cx - 0.3, cy - 0.3, rl * 1.3, rl * 1.3) : LuzFija(LuzBase));
    // Dark spokes across the rim, a quarter of their spacing further round each
    // frame: rolling to the right the wheel turns clockwise. Big wheels have
    // three spokes, small ones a single bar across the hub.
    int radios = r > 6 ? 3 : 2;
    const double espacio = 2 * Pi / radios;
    for (int k = 0; k < radios; k++) {
        double a = k * espacio + frame * espacio / 4 - Pi / 2;
        Punto fin{cx + std::cos(a) * (rl - 0.2), cy + std::sin(a) * (rl - 0.2)};
        f.Trazo({cx, cy}, fin, 1.0, MGoma, LuzFija(LuzBase));
    }
    f.Elipse(cx, cy, 0.8, 0.8, MMetal, LuzFija(LuzBrillo));
}

Figura FiguraVehiculo(int tipo, int frame, int set)
{
    switch (tipo) {
    case 0: return CamionCaja(frame, set);
    case 1: return CamionCisterna(frame, set);
    case 2: return CocheEsquis(frame, set);
    case 3: return CocheNevado(frame, set);
    case 4: return Ambulancia(frame, set);
    default: return Moto(frame, set);
    }
}
