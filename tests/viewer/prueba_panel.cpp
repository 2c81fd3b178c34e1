// Panel superpuesto: marco de píxeles, línea de comandos, combos, ayudas y botones.
#include <algorithm>
#include <cmath>
#include <set>

#include "comun/capturaGL.h"
#include "prueba_ventana_estado.h"
#include "viewer/elementosPlot.h"

namespace {

using Panel = PruebaNucleoVisor;

struct Color {
    float r, g, b;
};

// Recorre en orden las primitivas del panel, con el marco de píxeles
// (origen arriba a la izquierda, y hacia abajo) de una ventana de alto H
struct Lector {
    std::vector<PrimitivaGL> p;
    double W, H;
    bool perspectiva;
    double tol;
    size_t i = 0;

    // Ventana de lo que el panel pone en (x, y) a una profundidad dz detrás del
    // plano del panel: en perspectiva se acerca al centro en f / (2.4142 + dz)
    std::pair<double, double> ventana(double x, double y, double dz)
    {
        double k = perspectiva ? (1 + std::sqrt(2.0)) / (2.4142 + dz) : 1;
        return {W / 2 + (x - W / 2) * k, H / 2 + (H - y - H / 2) * k};
    }

    bool color(const VerticeGL& v, Color c)
    {
        return std::fabs(v.r - c.r) < 1e-3 && std::fabs(v.g - c.g) < 1e-3 &&
               std::fabs(v.b - c.b) < 1e-3;
    }

    // Texto de mapa de bits desde (x, y): una primitiva por byte, avance por ancho de letra
    void texto(double x, double y, const std::string& latin1, Color c)
    {
        SCOPED_TRACE("texto \"" + latin1.substr(0, 30) + "\"");
        auto inicio = ventana(x, y, 0);
        double cx = inicio.first, cy = inicio.second;
        for (unsigned char ch : latin1) {
            ASSERT_LT(i, p.size());
            const PrimitivaGL& q = p[i++];
            ASSERT_EQ(q.tipo, PrimitivaGL::Bitmap);
            ASSERT_NEAR(q.v[0].x, cx, tol) << "letra " << static_cast<int>(ch);
            ASSERT_NEAR(q.v[0].y, cy, tol) << "letra " << static_cast<int>(ch);
            ASSERT_TRUE(color(q.v[0], c));
            if (ch == '\n') {
                cx = inicio.first;
                cy -= glutBitmapHeight(GLUT_BITMAP_HELVETICA_12);
            } else {
                cx += glutBitmapWidth(GLUT_BITMAP_HELVETICA_12, ch);
            }
        }
    }

    // Cara de un botón: dos triángulos con las cuatro esquinas; devuelve su profundidad
    float cara(double x, double y, double w, double h, double dz, Color c)
    {
        auto a = ventana(x, y, dz), b = ventana(x + w, y + h, dz);
        std::set<std::pair<int, int>> esquinas;
        float z = 0;
        for (int t = 0; t < 2; t++) {
            EXPECT_LT(i, p.size());
            if (i >= p.size()) return 0;
            const PrimitivaGL& q = p[i++];
            EXPECT_EQ(q.tipo, PrimitivaGL::Poligono);
            for (const VerticeGL& v : q.v) {
                int ex = std::fabs(v.x - a.first) < tol ? 0 : std::fabs(v.x - b.first) < tol ? 1 : -1;
                int ey = std::fabs(v.y - a.second) < tol ? 0 : std::fabs(v.y - b.second) < tol ? 1 : -1;
                EXPECT_TRUE(ex >= 0 && ey >= 0) << "vértice (" << v.x << ", " << v.y << ")";
                EXPECT_TRUE(color(v, c));
                esquinas.insert({ex, ey});
                z = v.z;
            }
        }
        EXPECT_EQ(esquinas.size(), 4u);
        return z;
    }

    void fin() { EXPECT_EQ(i, p.size()) << "sobran primitivas"; }
};

const Color caraOn = {0.3f, 0.3f, 0}, caraOff = {0.1f, 0.1f, 0};

struct Boton {
    const char* etiqueta;
    double x, y, w, h;
    int flag;
};

// Botones de flags en orden de dibujo, en una ventana W x H
std::vector<Boton> botonesFlag(double W, double H, bool calculado)
{
    std::vector<Boton> b = {
        {"Calcular", W - 130, H - 80, 120, 15, 30}, {"tag Nudos", 10, 30, 70, 12, 0},
        {"tag Barras", 10, 45, 70, 12, 1},          {"secciones", 10, 60, 70, 12, 2},
        {"apoyos", 10, 75, 70, 12, 9},              {"volumen", 10, 90, 70, 12, 20},
        {"carga", 10, 120, 70, 12, 7},
    };
    if (calculado) {
        std::vector<Boton> r = {
            {"reaccion", 10, 135, 70, 12, 8}, {"deflexion", 10, 150, 70, 12, 3},
            {"N", 10, 165, 70, 12, 4},        {"Vy", 10, 180, 70, 12, 5},
            {"My", 10, 195, 70, 12, 6},       {"Vz", 10, 210, 70, 12, 10},
            {"Mz", 10, 225, 70, 12, 11},      {"T", 10, 240, 70, 12, 21},
        };
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

void esperarBotonesFlag(Lector& L, bool calculado)
{
    for (const Boton& b : botonesFlag(L.W, L.H, calculado)) {
        SCOPED_TRACE(b.etiqueta);
        bool on = flags[b.flag] % 2 != 0;
        L.cara(b.x, b.y, b.w, b.h, 0.001, on ? caraOn : caraOff);
        L.texto(b.x + 5, b.y + b.h - 3, b.etiqueta, on ? Color{0.7f, 1, 0} : Color{0.2f, 0.3f, 0});
    }
}

}  // namespace

TEST_F(Panel, MarcoDePixelesEnLasTresProyecciones)
{
    struct Caso {
        const char* nombre;
        bool perspectiva;
        int w, h;
        double tol;
    };
    const Caso casos[] = {
        {"perspectiva 1000x800", true, 1000, 800, 0.01},
        {"ortogonal 1000x800", false, 1000, 800, 1e-3},
        {"ortogonal 600x900", false, 600, 900, 1e-3},
    };
    for (const Caso& c : casos) {
        for (bool calculado : {false, true}) {
            SCOPED_TRACE(std::string(c.nombre) + (calculado ? " calculado" : ""));
            reiniciarModelo();
            funcionFlagsInicio();
            flags[flagCalculado] = calculado ? 1 : 0;
            flags[flagTagBarras] = 1;  // un botón encendido además de apoyos
            distCamObj = 7.5;
            proyeccionPrograma(c.perspectiva, c.w, c.h);
            dialogo = "Comando:";
            comando = "plotN";
            xClickIzq = yClickIzq = 0;

            Lector L{capturarFeedback(plotDialogo), static_cast<double>(c.w),
                     static_cast<double>(c.h), c.perspectiva, c.tol};
            L.texto(20, c.h - 36, "Comando:\n/>plotN", {0, 1, 0});
            esperarBotonesFlag(L, calculado);
            L.fin();
        }
    }
}

TEST_F(Panel, CombosAyudaYPaginas)
{
    funcionFlagsInicio();
    proyeccionPrograma(true);
    ponerCombos(3);
    flags[flagCombos + 1] = 1;
    dialogo = "Escriba el nombre del Combo y presione ENTER:";
    comando = "C1";

    struct Caso {
        int ayuda, pagina;
        const char* texto;
        Color color;
    };
    const Caso casos[] = {
        {0, 0, nullptr, {}},
        {1, 0, textoAyuda.c_str(), {0.3f, 1, 0}},
        {0, 1, textoAyudaEtiquetas[0].c_str(), {1, 1, 0}},
        {0, 2, textoAyudaEtiquetas[1].c_str(), {1, 1, 0}},
        {0, 3, textoAyudaEtiquetas[2].c_str(), {1, 1, 0}},
        {0, 4, textoAyudaEtiquetas[3].c_str(), {1, 1, 0}},
        {2, 0, nullptr, {}},  // ayuda apagada (par)
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE("ayuda " + std::to_string(c.ayuda) + " página " + std::to_string(c.pagina));
        flags[flagAyuda] = c.ayuda;
        flags[flagAyudaEtiquetas] = c.pagina;
        Lector L{capturarFeedback(plotDialogo), 1000, 800, true, 0.01};
        L.texto(20, 800 - 36, "Escriba el nombre del Combo y presione ENTER:\n/>C1", {0, 1, 0});
        L.texto(850, 30, "COMBOS ACTIVADOS:", {0, 1, 0});
        float zCombo = 0;
        for (int k = 0; k < 3; k++) {
            bool on = k == 1;
            zCombo = L.cara(870, 35 + 15 * k, 130, 12, 0.01, on ? caraOn : caraOff);
            L.texto(875, 35 + 15 * k + 11, "C" + std::to_string(k),
                    on ? Color{0, 1, 0} : Color{0, 0.3f, 0});
        }
        if (c.texto) L.texto(90, 20, funcionUtf8ALatin1(c.texto), c.color);
        size_t calcular = L.i;
        esperarBotonesFlag(L, false);
        L.fin();
        // La cara del combo queda más lejos que la de los botones de flags
        if (calcular < L.p.size()) {
            EXPECT_GT(zCombo, L.p[calcular].v[0].z);
        }
    }
}

TEST_F(Panel, TextoUtf8ALatin1)
{
    struct Caso {
        std::string entrada, salida;
    };
    const Caso casos[] = {
        {"Torsión", "Torsi\xF3n"},
        {"Tamaño en función", "Tama\xF1o en funci\xF3n"},
        {"ÁÉÍÓÚÜ¿¡", "\xC1\xC9\xCD\xD3\xDA\xDC\xBF\xA1"},
        {"sin acentos 123", "sin acentos 123"},
        {"", ""},
        {"\xE2\x82\xAC y \xF0\x9F\x98\x80", "? y ?"},  // fuera de Latin-1
        {"ya en Latin-1: \xF3", "ya en Latin-1: \xF3"},  // byte suelto: sin cambio
        {"cortado \xC3", "cortado \xC3"},
        {"\xC3(", "\xC3("},  // continuación inválida
        {"\xC0\xAF", "\xC0\xAF"},  // forma larga no válida
    };
    for (const Caso& c : casos) EXPECT_EQ(funcionUtf8ALatin1(c.entrada), c.salida) << c.entrada;
}

TEST_F(Panel, SinNudosNoHayListaDeCombos)
{
    funcionFlagsInicio();
    proyeccionPrograma(true);
    dialogo = "Comando:";
    comando = "";
    noCombos = 2;  // combos sin nudos: la lista sale del nudo 0
    Lector L{capturarFeedback(plotDialogo), 1000, 800, true, 0.01};
    L.texto(20, 764, "Comando:\n/>", {0, 1, 0});
    esperarBotonesFlag(L, false);
    L.fin();
}

TEST_F(Panel, MasDeCienCombosSoloCienBotones)
{
    funcionFlagsInicio();
    proyeccionPrograma(false, 1000, 800);
    ponerCombos(105);
    auto p = capturarFeedback(plotDialogo);
    // Cada cara son dos triángulos: 100 combos y 7 botones de flags
    EXPECT_EQ(contarPrimitivas(p, PrimitivaGL::Poligono), 2 * (100 + 7));
    std::vector<int> antes = flags;
    // Un clic donde iría el combo 101 no escribe nada fuera de flags
    xClickIzq = 950;
    yClickIzq = 35 + 15 * 100 + 6;
    capturarFeedback(plotDialogo);
    EXPECT_EQ(flags, antes);
    ASSERT_EQ(flags.size(), 200u);
}

TEST_F(Panel, PixelesDeBotonesYEtiquetas)
{
    funcionFlagsInicio();
    flags[flagCalculado] = 1;
    flags[flagAxial] = 1;
    distCamObj = 5;
    proyeccionPrograma(true);
    dialogo = "Comando:";
    comando = "";
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    plotDialogo();
    guardarPPM("/tmp/panel_nucleo.ppm");
    int w = 0, h = 0;
    std::vector<unsigned char> px = leerPixeles(w, h);
    ASSERT_EQ(w, 1000);
    ASSERT_EQ(h, 800);
    // Píxel (x, y) del marco del panel, y hacia abajo
    auto rgb = [&](int x, int y) {
        size_t k = (static_cast<size_t>(h - 1 - y) * w + x) * 3;
        return std::array<int, 3>{px[k], px[k + 1], px[k + 2]};
    };
    auto igual = [](std::array<int, 3> v, std::array<int, 3> c) {
        return std::abs(v[0] - c[0]) <= 2 && std::abs(v[1] - c[1]) <= 2 && std::abs(v[2] - c[2]) <= 2;
    };
    auto cuenta = [&](int x0, int y0, int x1, int y1, std::array<int, 3> c) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += igual(rgb(x, y), c);
        return n;
    };
    const std::array<int, 3> fondo = {0, 0, 0}, off = {26, 26, 0}, on = {77, 77, 0};
    // Caras: "Calcular" encendido, "N" encendido, "Vy" apagado; la ranura de y = 105 vacía
    EXPECT_TRUE(igual(rgb(985, 730), on));
    EXPECT_TRUE(igual(rgb(75, 170), on));
    EXPECT_TRUE(igual(rgb(75, 185), off));
    EXPECT_EQ(cuenta(10, 104, 80, 118, fondo), 70 * 14);
    // Etiquetas: "Calcular" y "N" con su color de encendido, "Vy" con el de apagado
    EXPECT_GT(cuenta(875, 722, 930, 733, {179, 255, 0}), 20);
    EXPECT_GT(cuenta(15, 166, 25, 175, {179, 255, 0}), 5);
    EXPECT_GT(cuenta(15, 181, 30, 190, {51, 77, 0}), 5);
    // Línea de comandos en verde
    EXPECT_GT(cuenta(20, 752, 80, 768, {0, 255, 0}), 20);
}
