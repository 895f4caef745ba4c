#!/usr/bin/env python3
"""Waits for a gap in the traffic, sends the hero across the road and tells
what came of it.

Looks at the lanes many times a second straight from the X server (libX11
through ctypes: the screen is read in a few milliseconds, where a program
per picture takes a good part of a second on a busy machine), finds the
vehicles of each carriageway as runs of columns that differ from the bare
road, measures each one's speed over the last third of a second, and as
soon as no vehicle can be in the hero's column while he walks through its
carriageway presses the key that sends him: Down from the top, Up from the
shop. After ESPERA seconds without a gap it presses it all the same.
Then it watches the screen for up to 6 seconds and prints one line: whether
a gap was found ("hueco" or "sin_hueco") and what followed: "tienda" (the
status line turned blue: the skis are paid), "pista" (the white slope),
"accidente" (the status line turned red: an ambulance fee) or "nada". On
"tienda" and "pista" the whole screen is saved into FOTO.ppm.

Usage: hueco.py CARRETERA.ppm baja|sube X ESPERA FOTO.ppm [-v]
  CARRETERA.ppm: the bare road, 640 x 480; X: the hero's middle column.
"""
import ctypes
import subprocess
import sys
import time

ANCHO = 640
CARRILES = ((True, 65, 221), (False, 226, 380))  # rightward above, leftward below
SALTO_FILAS = 3        # every third row is looked at
MAXIMA = 400           # px/s: the ambulance, the fastest vehicle
MARGEN_V = 30          # px/s either side of a measured speed
MARGEN_X = 6           # px either side of the hero
MARGEN_Y = 12          # rows a vehicle may slide up or down meanwhile
ANCHO_HEROE = 40       # drawn columns with skis
ANCHO_A_PIE = 24       # drawn columns on foot
ALTO_HEROE = 36
VELOCIDAD_HEROE = 200  # px/s, up or down
LATENCIA = 0.15        # s from the decision to his first step
HOLGURA = 0.1          # s added to each end of his time in a carriageway
INTERVALO = 0.3        # s between the two looks that give the speeds


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong)]


class Pantalla:
    """The rows of the lanes, read from the root window."""

    def __init__(self):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.d = self.x.XOpenDisplay(None)
        if not self.d:
            sys.exit("no X display")
        self.raiz = self.x.XDefaultRootWindow(self.d)

    def lee(self, y0, alto, salto=SALTO_FILAS):
        """Every salto-th row from y0, as lists of pixel values, and the colour masks."""
        p = self.x.XGetImage(self.d, self.raiz, 0, y0, ANCHO, alto, 0xFFFFFFFF, 2)
        if not p:
            sys.exit("the screen cannot be read")
        im = p.contents
        datos = ctypes.string_at(im.data, im.bytes_per_line * alto)
        tipo = {2: "H", 4: "I"}.get(im.bits_per_pixel // 8)
        mascaras = (im.red_mask, im.green_mask, im.blue_mask)
        por_fila = im.bytes_per_line // (im.bits_per_pixel // 8)
        self.x.XFree(im.data)
        self.x.XFree(p)
        if tipo is None or (im.byte_order == 0) != (sys.byteorder == "little"):
            sys.exit("a screen of %d bits per pixel cannot be read" % im.bits_per_pixel)
        valores = memoryview(datos).cast(tipo)
        filas = {y0 + y: valores[y * por_fila: y * por_fila + ANCHO].tolist()
                 for y in range(0, alto, salto)}
        return filas, mascaras


def canales(mascaras):
    """Turns a pixel value into (r, g, b), 0..255, and back."""
    desplaza = [(m & -m).bit_length() - 1 for m in mascaras]
    maximos = [m >> d for m, d in zip(mascaras, desplaza)]

    def a_rgb(v):
        return [((v & m) >> d) * 255 // t for m, d, t in zip(mascaras, desplaza, maximos)]

    def de_rgb(rgb):
        return sum(((c * t // 255) << d) for c, d, t in zip(rgb, desplaza, maximos))
    return a_rgb, de_rgb


def lee_ppm(ruta):
    """The picture's rows as lists of (r, g, b)."""
    datos = open(ruta, "rb").read()
    partes = datos.split(maxsplit=4)
    ancho, alto = int(partes[1]), int(partes[2])
    p = partes[4]
    return [[tuple(p[3 * (y * ancho + x): 3 * (y * ancho + x) + 3]) for x in range(ancho)] for y in range(alto)]


def vehiculos(filas, fondo, a_rgb, y0, y1):
    """Runs of columns where at least two looked-at rows differ from the bare
    road, each with the rows it spans: (left, right, top, bottom)."""
    cuenta = [0] * ANCHO
    alto = [y1] * ANCHO
    bajo = [y0] * ANCHO
    for y, fila in filas.items():
        if not y0 <= y < y1:
            continue
        base = fondo[y]
        for x in range(ANCHO):
            v = fila[x]
            if v == base[x][0]:
                continue
            r, g, b = a_rgb(v)
            fr, fg, fb = base[x][1]
            if abs(r - fr) + abs(g - fg) + abs(b - fb) > 60:
                cuenta[x] += 1
                alto[x] = min(alto[x], y)
                bajo[x] = max(bajo[x], y)
    tramos = []
    x = 0
    while x < ANCHO:
        if cuenta[x] < 2:
            x += 1
            continue
        inicio = x
        while x < ANCHO and cuenta[x] >= 2:
            x += 1
        arriba, abajo = min(alto[inicio:x]), max(bajo[inicio:x])
        # A gap of a few columns inside one vehicle does not split it.
        if tramos and inicio - tramos[-1][1] <= 4:
            previo = tramos[-1]
            tramos[-1] = (previo[0], x - 1, min(previo[2], arriba), max(previo[3], abajo))
        else:
            tramos.append((inicio, x - 1, arriba, abajo))
    return tramos


def velocidad(ahora, antes, dt, derecha):
    """Speed from the vehicle's front edge in both looks; unmatched, the fastest."""
    if derecha:
        frente = ahora[1]
        if frente >= ANCHO - 1:
            return MAXIMA
        previos = [v[1] for v in antes if v[1] <= frente + 3 and frente - v[1] <= MAXIMA * dt + 12]
        return max(0.0, (frente - max(previos)) / dt) if previos else MAXIMA
    frente = ahora[0]
    if frente <= 0:
        return MAXIMA
    previos = [v[0] for v in antes if v[0] >= frente - 3 and v[0] - frente <= MAXIMA * dt + 12]
    return max(0.0, (min(previos) - frente) / dt) if previos else MAXIMA


def choca(tramo, lenta, rapida, derecha, t0, t1, x0, x1):
    """Whether a vehicle going at lenta..rapida px/s can be within columns
    x0..x1 at some time between t0 and t1."""
    izq, der = tramo[0], tramo[1]
    if derecha:
        return izq + lenta * t0 <= x1 and der + rapida * t1 >= x0
    return der - lenta * t0 >= x0 and izq - rapida * t1 <= x1


def libre(antes, ahora, dt, retraso, baja, x, detalle):
    """Whether no vehicle can be in the hero's column while his rows cross its rows."""
    ancho = ANCHO_HEROE if not baja else ANCHO_A_PIE
    x0, x1 = x - ancho // 2 - MARGEN_X, x + ancho // 2 + MARGEN_X
    resultado = True
    for derecha, _, _ in CARRILES:
        previos = antes[derecha]
        for tramo in ahora[derecha]:
            # The rows the vehicle may reach by sliding sideways.
            arriba, abajo = tramo[2] - MARGEN_Y, tramo[3] + SALTO_FILAS + MARGEN_Y
            # He walks from his top at row 17 down, or from row 428 up; his
            # picture is ALTO_HEROE rows tall.
            if baja:
                t0, t1 = (arriba - 17 - ALTO_HEROE), (abajo - 17)
            else:
                t0, t1 = (428 - abajo), (428 + ALTO_HEROE - arriba)
            t0 = max(0.0, retraso + t0 / VELOCIDAD_HEROE - HOLGURA)
            t1 = retraso + t1 / VELOCIDAD_HEROE + HOLGURA
            v = velocidad(tramo, previos, dt, derecha)
            peligro = choca(tramo, max(0.0, v - MARGEN_V), v + MARGEN_V, derecha, t0, t1, x0, x1)
            if detalle:
                print("%s %d..%d rows %d..%d %.0f px/s%s" % (
                    "->" if derecha else "<-", tramo[0], tramo[1], tramo[2], tramo[3], v,
                    " !" if peligro else ""), file=sys.stderr)
            resultado = resultado and not peligro
    return resultado


def main():
    args = [a for a in sys.argv[1:] if a != "-v"]
    detalle = "-v" in sys.argv
    imagen = lee_ppm(args[0])
    baja = args[1] == "baja"
    x = int(args[2])
    limite = time.monotonic() + float(args[3])
    pantalla = Pantalla()
    filas, mascaras = pantalla.lee(65, 316)
    a_rgb, de_rgb = canales(mascaras)
    # The bare road as the screen holds it, and as colours to compare with.
    fondo = {y: [(de_rgb(c), a_rgb(de_rgb(c))) for c in imagen[y]] for y in filas}
    vistas = []   # (time, vehicles of each carriageway)
    hueco = False
    while time.monotonic() < limite:
        t = time.monotonic()
        filas, _ = pantalla.lee(65, 316)
        vistas.append((t, {d: vehiculos(filas, fondo, a_rgb, y0, y1) for d, y0, y1 in CARRILES}))
        # The look about INTERVALO before this one gives the speeds.
        previas = [v for v in vistas[:-1] if t - v[0] >= INTERVALO]
        if previas:
            t0, antes = previas[-1]
            retraso = time.monotonic() - t + LATENCIA
            if detalle:
                print("look at %.2f s, %.2f s late" % (t - t0, retraso), file=sys.stderr)
            if libre(antes, vistas[-1][1], t - t0, retraso, baja, x, detalle):
                hueco = True
                break
            vistas = [v for v in vistas if t - v[0] < 2 * INTERVALO]
        time.sleep(0.05)
    subprocess.run(["xdotool", "key", "Down" if baja else "Up"], check=False)

    resultado = "nada"
    limite = time.monotonic() + 6
    while time.monotonic() < limite and resultado == "nada":
        r, g, b = media(pantalla, a_rgb, 6, 1)
        if b > 100 and b > r + 40:
            resultado = "tienda"
        elif r > 100 and r > b + 60 and r > g + 40:
            resultado = "accidente"
        elif not baja and min(media(pantalla, a_rgb, 100, 300)) > 215:
            resultado = "pista"
        else:
            time.sleep(0.05)
    if resultado in ("tienda", "pista"):
        guarda(pantalla, a_rgb, args[4])
    print("hueco" if hueco else "sin_hueco", resultado)


def media(pantalla, a_rgb, y0, alto):
    """Mean colour of every third row from y0, every fourth column."""
    filas, _ = pantalla.lee(y0, alto)
    suma = [0, 0, 0]
    n = 0
    for fila in filas.values():
        for v in fila[::4]:
            for i, c in enumerate(a_rgb(v)):
                suma[i] += c
            n += 1
    return [c / n for c in suma]


def guarda(pantalla, a_rgb, ruta):
    """The whole screen as a PPM picture."""
    filas, _ = pantalla.lee(0, 480, 1)
    with open(ruta, "wb") as f:
        f.write(b"P6\n%d 480\n255\n" % ANCHO)
        f.write(bytes(c for y in sorted(filas) for v in filas[y] for c in a_rgb(v)))


if __name__ == "__main__":
    main()
