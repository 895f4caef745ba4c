// Zumbelo on foot: bobble hat, red jacket, yellow scarf; seen from the
// front, the back and the side, two walking frames each; and the pair of
// skis he carries upright at his side.
#include <string>

#include "Constantes.h"
#include "Figuras.h"

namespace {

// Head and body seen from the front (20 columns), shared by both frames.
const std::vector<const char*> frente = {
    ".........ww.........",
    "........wwwW........",
    "......qqrrrrRR......",
    ".....qrrrrrrrrR.....",
    ".....rrrrrrrrrR.....",
    "....wwwwwwwwwwWW....",
    ".....hzzsssssSh.....",
    ".....ssksssskSS.....",
    ".....sxssssssxS.....",
    "......sssssssS......",
    ".....yyyyyyyyyY.....",
    "....xyyyyyyyyyYc....",
    "...xxcccccyYcccCC...",
    "..xc.cccccyYccC.cC..",
    "..xc.xccccyYccC.cC..",
    "..xc.xcccccYccC.cC..",
    "..xc.xccccccccC.cC..",
    "..xc.xcccccccCC.cC..",
    "..xc.xcccccccCC.cC..",
    "..gG.cccccccCCC.gG..",
    "..gG.cccccCCCCC.gG..",
};

// The same from behind: hair instead of a face, no scarf ends.
const std::vector<const char*> espalda = {
    ".........ww.........",
    "........wwwW........",
    "......qqrrrrRR......",
    ".....qrrrrrrrrR.....",
    ".....rrrrrrrrrR.....",
    "....wwwwwwwwwwWW....",
    ".....hhhhhhhhHH.....",
    ".....hhhhhhhhHH.....",
    ".....hhhhhhhHHH.....",
    "......HhhhhHHH......",
    ".....yyyyyyyyyY.....",
    "....xyyyyyyyyyYc....",
    "...xxccccccccccCC...",
    "..xc.xccccccccC.cC..",
    "..xc.xccccccccC.cC..",
    "..xc.xccccccccC.cC..",
    "..xc.xcccCcccCC.cC..",
    "..xc.xcccCccCCC.cC..",
    "..xc.xcccCccCCC.cC..",
    "..gG.ccccCccCCC.gG..",
    "..gG.cccccCCCCC.gG..",
};

// Head seen from the side, facing right (13 columns).
const std::vector<const char*> perfil = {
    "....ww.......",
    "...wwwW......",
    "...qqrrrR....",
    "..qrrrrrrrR..",
    "..rrrrrrrrR..",
    "..wwwwwwwwwWW",
    "..hhhzsssss..",
    "..hhhssssksss",
    "..hhhsssxsss.",
    "...hhsssssS..",
};

// Legs seen from the front or the back: `arriba` lifts one foot by a row.
void PiernasFrente(Figura& f, int x0, int y0, int frame)
{
    // Hips, then two legs with a gap between them.
    f.Caja(x0 + 5, y0 + 21, 10, 2, MPantalon, [](int x, int) { return x < 20 ? LuzBase : LuzSombra; });
    for (int lado = 0; lado < 2; lado++) {
        int x = x0 + (lado == 0 ? 5 : 11);
        int alzado = (frame == lado) ? 0 : 1;
        int largo = 6 - alzado;
        f.Caja(x, y0 + 23, 4, largo, MPantalon, [x](int i, int) { return i == x ? LuzBrillo - 40 : (i == x + 3 ? LuzSombra : LuzBase); });
        int yb = y0 + 23 + largo;
        f.Caja(x - (lado == 0 ? 1 : 0), yb, 5, 3, MBota, [yb](int, int y) { return y == yb ? LuzBrillo - 40 : (y == yb + 2 ? LuzSombra : LuzBase); });
    }
}

Figura Frente(bool deEspaldas, int frame)
{
    Figura f(AnchoZumbelo, AltoZumbelo);
    const int x0 = 12, y0 = 0;
    PiernasFrente(f, x0, y0, frame);
    f.Arte(x0, y0, deEspaldas ? espalda : frente);
    // The arms swing with the legs: the arm over the lifted leg comes forward.
    if (frame == 1)
        f.Aclara(x0 + 2, y0 + 19, 2, 2, -20);
    else
        f.Aclara(x0 + 16, y0 + 19, 2, 2, -20);
    return f;
}

// Seen from the side, facing right: stride (frame 0) and passing (frame 1).
Figura Perfil(int frame)
{
    Figura f(AnchoZumbelo, AltoZumbelo);
    const int x0 = 16;
    // Back leg first, then the body, the front leg and the near arm over it.
    if (frame == 0) {
        f.Trazo({x0 + 6.0, 22}, {x0 + 3.0, 27.5}, 3.6, MPantalon, LuzFija(LuzSombra));
        f.Caja(x0 + 0, 27, 5, 3, MBota, LuzFija(LuzSombra));
    } else {
        f.Trazo({x0 + 6.5, 22}, {x0 + 6.5, 27.5}, 3.6, MPantalon, LuzFija(LuzSombra));
        f.Caja(x0 + 5, 28, 5, 3, MBota, LuzFija(LuzSombra));
    }
    // Body: jacket from the scarf down to the hips.
    f.Poligono({{x0 + 3.0, 10}, {x0 + 11.0, 10}, {x0 + 12.9, 15}, {x0 + 12.9, 19}, {x0 + 11.5, 21}, {x0 + 2.5, 21}}, MChaqueta, [x0](int x, int y) {
        if (x <= x0 + 3)
            return LuzBrillo - 30;
        if (x >= x0 + 10 || y >= 20)
            return LuzSombra;
        return LuzBase;
    });
    f.Caja(x0 + 3, 20, 9, 2, MPantalon, LuzFija(LuzBase));
    if (frame == 0) {
        f.Trazo({x0 + 8.0, 22}, {x0 + 11.5, 27.5}, 3.6, MPantalon, LuzFija(LuzBase));
        f.Caja(x0 + 10, 27, 6, 3, MBota, [](int, int y) { return y == 27 ? LuzBrillo - 40 : LuzBase; });
    } else {
        f.Trazo({x0 + 7.5, 22}, {x0 + 8.0, 27.5}, 3.6, MPantalon, LuzFija(LuzBase));
        f.Caja(x0 + 7, 27, 6, 3, MBota, [](int, int y) { return y == 27 ? LuzBrillo - 40 : LuzBase; });
    }
    f.Arte(x0, 0, perfil);
    // Scarf round the neck, its end flying behind.
    f.Caja(x0 + 3, 10, 8, 2, MBufanda, [x0](int x, int) { return x >= x0 + 9 ? LuzSombra : LuzBase; });
    f.Poligono({{x0 + 3.0, 10}, {x0 + 0.0, 12 + frame * 1.0}, {x0 + 0.0, 14 + frame * 1.0}, {x0 + 4.0, 12}}, MBufanda, LuzFija(LuzSombra));
    // Near arm: swinging forward in the stride, hanging when passing.
    Punto hombro{x0 + 6.5, 13.5};
    Punto mano = frame == 0 ? Punto{x0 + 11.5, 19.5} : Punto{x0 + 6.0, 20.5};
    f.Trazo(hombro, mano, 3.2, MChaqueta, [](int, int y) { return y <= 14 ? LuzBrillo - 20 : LuzBase; });
    f.Elipse(mano.x, mano.y + 0.5, 1.6, 1.6, MGuante, LuzFija(LuzBase));
    return f;
}

}  // namespace

Figura FiguraHeroe(int facing, int frame, int set)
{
    (void)set;
    switch (facing) {
    case 0: {
        // Mirrored, then moved back so that turning round keeps him in place.
        Figura izquierda(AnchoZumbelo, AltoZumbelo);
        izquierda.Superpone(Perfil(frame).Espejo(), 16, 0);
        return izquierda;
    }
    case 1: return Perfil(frame);
    case 2: return Frente(true, frame);
    default: return Frente(false, frame);
    }
}

void CabezaDeFrente(Figura& f, int x, int y)
{
    f.Arte(x, y, std::vector<const char*>(frente.begin(), frente.begin() + 10));
}

void CabezaDePerfil(Figura& f, int x, int y)
{
    f.Arte(x, y, perfil);
}

Figura FiguraEsquis(int frame, int set)
{
    Figura f(AnchoSki, 32);
    // Two skis upright side by side, curled tips at the top; they bob with the walk.
    int y0 = frame == 0 ? 0 : 1;
    for (int k = 0; k < 2; k++) {
        int x = 3 + k * 4;
        int alto = 30 - k;
        f.Caja(x, y0 + 2 + k, 3, alto - 2, MEsqui, [x](int i, int) { return i == x ? LuzBrillo : (i == x + 2 ? LuzSombra : LuzBase); });
        f.Caja(x + 1, y0 + 1 + k, 2, 1, MEsqui, LuzFija(LuzBase));
        f.Pon(x + 2, y0 + k, MEsqui, LuzBase);
        // Binding.
        f.Caja(x, y0 + 16 + k, 3, 3, MNegro, LuzFija(LuzBase));
        if (set == 0)
            f.Pon(x, y0 + 16 + k, MNegro, LuzBrillo);
    }
    // The mitten holding them.
    f.Elipse(2.0, y0 + 19.5, 2.5, 2.2, MGuante, LuzEsfera(2.0, y0 + 19.5, 2.5, 2.2));
    return f;
}
