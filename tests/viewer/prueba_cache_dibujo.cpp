// Caché del cuadro: la escena grabada y reproducida da los mismos píxeles que
// dibujada de nuevo, para cada dibujo, con la cámara movida y después de cada
// cambio que obliga a grabarla otra vez; y solo se vuelve a grabar cuando
// cambia algo de lo que dibuja, no al mover la cámara.
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include <GL/glu.h>

#include "comun/capturaGL.h"
#include "viewer/comunPlot.h"
#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

std::string leerEjemplo(const char* nombre)
{
    return leerArchivo(std::string(DIR_EJEMPLOS) + "/" + nombre);
}

std::vector<unsigned char> cuadro(Cache cache)
{
    funcionCacheDibujo(cache);
    funcionDibujarCuadro();
    glFinish();
    int w = 0, h = 0;
    return leerPixeles(w, h);
}

int pixelesDistintos(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3) {
        n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    }
    return n;
}

// Arrastre con el botón central: la cámara gira
void girar(int dx, int dy)
{
    mouseButton(1, 0, 500, 400);
    mouseMove(500 + dx, 400 + dy);
    mouseButton(1, 1, 500 + dx, 400 + dy);
}

// Pasos de la rueda: positivos acercan
void rueda(int pasos)
{
    for (int k = 0; k < std::abs(pasos); k++) {
        mouseButton(pasos > 0 ? 3 : 4, 0, 500, 400);
        mouseButton(pasos > 0 ? 3 : 4, 1, 500, 400);
    }
}

// Arrastre con el botón izquierdo: la cámara se corre (el clic queda pendiente
// lejos de los botones)
void panear(int dx, int dy)
{
    mouseButton(0, 0, 500, 400);
    mouseMove(500 + dx, 400 + dy);
    mouseButton(0, 1, 500 + dx, 400 + dy);
    xClickIzq = yClickIzq = 0;
}

class CacheDibujo : public EstadoVisorTest {
protected:
    void SetUp() override
    {
        EstadoVisorTest::SetUp();
        cargarModelo(leerEjemplo("porticoCompleto.txt"));
        ASSERT_GT(noBarras, 10);
        calcular();
    }

    void TearDown() override
    {
        funcionCacheDibujo(Cache::apagada);
        EstadoVisorTest::TearDown();
    }

    void calcular()
    {
        capturarSalida([] { modificadorFlagsGraf(flagCalculado); });
        ASSERT_EQ(flags[flagCalculado], 1);
    }

    // La escena con caché (grabada antes o en este cuadro) contra la dibujada de nuevo
    void esperarIgualSinCache(const std::string& caso)
    {
        std::vector<unsigned char> con = cuadro(Cache::encendida);
        std::vector<unsigned char> sin = cuadro(Cache::apagada);
        EXPECT_EQ(pixelesDistintos(con, sin), 0) << caso;
    }
};

struct Dibujo {
    const char* nombre;
    std::vector<int> reglas;  // índices para modificadorFlagsGraf, en orden
    std::vector<int> combos;
};

// El modelo con sus rótulos, cada tipo de resultado (con los tres combos, por
// turno) y algunas mezclas
std::vector<Dibujo> armarDibujos()
{
    std::vector<Dibujo> d = {
        {"modelo", {}, {}},
        {"números de nudos y barras", {flagTagNudos, flagTagBarras}, {}},
        {"secciones", {flagSecciones}, {}},
        {"volumen", {flagVolumen}, {}},
    };
    int k = 0;
    for (const TipoResultado& t : tiposResultado) {
        d.push_back({etiquetaBoton(t.flag), {t.flag}, {k++ % 3}});
    }
    d.push_back({"dos combos con números", {flagMomentoY, flagTagNudos, flagTagBarras}, {0, 2}});
    d.push_back({"sin líneas internas ni números",
                 {flagMomentoZ, flagLineasInternas, flagTextoDiagramas},
                 {1}});
    d.push_back({"sin esferas ni apoyos, ortogonal",
                 {flagDeformada, flagNudos, flagApoyos, flagPerspectiva},
                 {0}});
    return d;
}
const std::vector<Dibujo> dibujos = armarDibujos();

// El texto con 'viejo' (que tiene que estar) cambiado por 'nuevo'
std::string reemplazado(std::string texto, const std::string& viejo, const std::string& nuevo)
{
    size_t i = texto.find(viejo);
    EXPECT_NE(i, std::string::npos) << viejo;
    if (i != std::string::npos) texto.replace(i, viejo.size(), nuevo);
    return texto;
}

// Un dibujo de resultados con el primer combo
void encenderConCombo(int flag)
{
    modificadorFlagsGraf(flag);
    flags[flagCombos]++;
}

void encender(const Dibujo& d)
{
    for (int i : d.reglas) modificadorFlagsGraf(i);
    for (int c : d.combos) flags[flagCombos + c]++;
    funcionAplicarProyeccion();
}

}  // namespace

// Cada dibujo: grabado en una vista, reproducido después de girar, acercar y
// correr la cámara, igual píxel a píxel al dibujado de nuevo; y distinto del
// modelo solo (el dibujo se ve)
TEST_F(CacheDibujo, CadaDibujoIgualConYSinCache)
{
    std::vector<int> arranque = flags;
    for (const Dibujo& d : dibujos) {
        flags = arranque;
        funcionFronteraGraf();
        funcionAplicarProyeccion();
        girar(40, 25);
        std::vector<unsigned char> modelo = cuadro(Cache::apagada);
        encender(d);
        int grabadas = funcionGrabacionesEscena();
        esperarIgualSinCache(std::string(d.nombre) + ", al grabar");
        EXPECT_EQ(funcionGrabacionesEscena(), grabadas + 1) << d.nombre;
        if (d.reglas.empty()) {
            EXPECT_EQ(pixelesDistintos(cuadro(Cache::apagada), modelo), 0);
        } else {
            EXPECT_GT(pixelesDistintos(cuadro(Cache::apagada), modelo), 50) << d.nombre;
        }
        girar(-170, 60);
        esperarIgualSinCache(std::string(d.nombre) + ", girada");
        rueda(3);
        panear(30, -20);
        esperarIgualSinCache(std::string(d.nombre) + ", acercada y corrida");
        rueda(-5);
        esperarIgualSinCache(std::string(d.nombre) + ", alejada");
        // La cámara no obliga a grabar de nuevo
        EXPECT_EQ(funcionGrabacionesEscena(), grabadas + 1) << d.nombre;
    }
}

// Cambios que obligan a grabar de nuevo: después de cada uno la escena con caché
// es la dibujada de nuevo, y esa es otra que antes (una grabación vieja se vería)
TEST_F(CacheDibujo, CambiosQueObliganAGrabarDeNuevo)
{
    struct Caso {
        const char* nombre;
        std::function<void()> antes;   // estado de partida, sobre el de arranque
        std::function<void()> cambio;
        // Solo el archivo o el análisis distinguen las dos escenas: los flags
        // quedan como estaban
        bool mismosFlags = false;
        // El cambio no se ve (otro análisis igual): se graba de nuevo igual
        bool seVe = true;
    };
    const std::string modelo = leerEjemplo("porticoCompleto.txt");
    // Otro archivo con los mismos nudos, barras y caja: un nudo de adentro movido
    // y otra carga
    const std::string editado = reemplazado(
        reemplazado(modelo, "\n8 9 2 4\n", "\n8 9 3 4\n"), "\n10 0 0 0 0 0\n", "\n40 0 0 0 0 0\n");
    // Otra sección para las columnas C40x30 (más ancha), y una barra menos
    const std::string otraSeccion =
        reemplazado(modelo, "\n0.3 0.4 2.5e7 0.2 24\n", "\n0.6 0.4 2.5e7 0.2 24\n");
    const std::string menosBarras = reemplazado(modelo, "\n14 1 8\n", "\n");
    // El archivo del modelo con ese texto, recargado como con F5
    auto recargarCon = [](const std::string& texto) {
        std::ofstream(nombreArchivo, std::ios::binary | std::ios::trunc) << texto;
        capturarSalida([] { tecladoEspecial(GLUT_KEY_F5, 0, 0); });
    };
    auto conAlt = [](unsigned char letra) {
        modificadorFalso = GLUT_ACTIVE_ALT;
        teclado(letra, 0, 0);
        modificadorFalso = 0;
    };
    std::vector<Caso> casos = {
        {"combo encendido", [] { encenderConCombo(flagMomentoY); },
         [] { flags[flagCombos + 2]++; }},
        {"combo apagado", [] { encenderConCombo(flagDeformada); },
         [] { flags[flagCombos]++; }},
        {"escala con '+'", [] { encenderConCombo(flagMomentoZ); },
         [] { teclado('+', 0, 0); }},
        {"escala con '-'", [] { encenderConCombo(flagCarga); },
         [] { teclado('-', 0, 0); }},
        {"escala de texto", [] { encenderConCombo(flagAxial); },
         [] {
             modificadorFalso = GLUT_ACTIVE_SHIFT;
             teclado('+', 0, 0);
             modificadorFalso = 0;
         }},
        {"números de diagramas con Alt+t",
         [] { encenderConCombo(flagCortanteY); },
         [] {
             modificadorFalso = GLUT_ACTIVE_ALT;
             teclado('t', 0, 0);
             modificadorFalso = 0;
         }},
        {"precisión", [] { encenderConCombo(flagReacciones); },
         [] { precision = 5; }},
        {"tamaño de apoyos", [] {}, [] { escalaApoyo = 0.8; }},
        {"barras aisladas", [] { encenderConCombo(flagTorsion); },
         [] {
             escribirLinea("aislar");
             escribirLinea("7 8 9 10");
         }},
        {"recarga del archivo editado", [] { flags[flagCalculado] = 0; },
         [&] { recargarCon(editado); }, true},
        // Una carga sin el reinicio antes (las mediciones, las pruebas): el
        // cargador arma el modelo de nuevo y eso obliga a grabar
        {"carga del archivo editado sin reiniciar el modelo", [] { flags[flagCalculado] = 0; },
         [&] {
             std::ofstream(nombreArchivo, std::ios::binary | std::ios::trunc) << editado;
             capturarSalida([] { funcionLeerArchivo(); });
         },
         true},
        {"otro análisis con los mismos flags",
         [] { encenderConCombo(flagDeformada); },
         [&] {
             recargarCon(editado);
             calcular();
             modificadorFlagsGraf(flagDeformada);
             flags[flagCombos]++;
         },
         true},
        {"otro Calcular sobre el mismo modelo", [] { encenderConCombo(flagMomentoZ); },
         [&] { calcular(); }, true, false},
        {"líneas internas con Alt+f", [] { encenderConCombo(flagMomentoY); },
         [&] { conAlt('f'); }},
        {"esferas de nudos con Alt+n", [] {}, [&] { conAlt('n'); }},
        {"ortogonal con Alt+c", [] { encenderConCombo(flagCarga); }, [&] { conAlt('c'); }},
        {"noAislar",
         [] {
             encenderConCombo(flagAxial);
             escribirLinea("aislar");
             escribirLinea("7 8");
         },
         [] { escribirLinea("noAislar"); }},
        {"combo escrito",
         [] { encenderConCombo(flagCortanteZ); },
         [] {
             escribirLinea("combo");
             escribirLinea(nudo[0].getNombreCombo(1));
         }},
        {"recarga con otra sección", [] { modificadorFlagsGraf(flagVolumen); },
         [&] {
             recargarCon(otraSeccion);
             calcular();
             modificadorFlagsGraf(flagVolumen);
         },
         true},
        {"recarga con una barra menos", [] { modificadorFlagsGraf(flagTagBarras); },
         [&] {
             recargarCon(menosBarras);
             calcular();
             modificadorFlagsGraf(flagTagBarras);
         },
         true},
    };
    std::vector<int> arranque = flags;
    for (const Caso& c : casos) {
        recargarCon(modelo);
        calcular();
        flags = arranque;
        flags[flagCalculado] = 1;
        c.antes();
        girar(60, 20);
        std::vector<int> flagsAntes = flags;
        std::vector<unsigned char> antes = cuadro(Cache::encendida);
        int grabadas = funcionGrabacionesEscena();
        c.cambio();
        esperarIgualSinCache(c.nombre);
        if (c.seVe) {
            EXPECT_GT(pixelesDistintos(cuadro(Cache::apagada), antes), 0)
                << c.nombre << ": el cambio no se ve";
        } else {
            EXPECT_EQ(pixelesDistintos(cuadro(Cache::apagada), antes), 0) << c.nombre;
        }
        EXPECT_EQ(funcionGrabacionesEscena(), grabadas + 1) << c.nombre;
        if (c.mismosFlags) {
            EXPECT_EQ(flags, flagsAntes) << c.nombre;
        }
    }
}

// Apagada, la caché ni graba ni reproduce
TEST_F(CacheDibujo, ApagadaNoGraba)
{
    modificadorFlagsGraf(flagMomentoY);
    flags[flagCombos]++;
    int grabadas = funcionGrabacionesEscena();
    cuadro(Cache::apagada);
    cuadro(Cache::apagada);
    EXPECT_EQ(funcionGrabacionesEscena(), grabadas);
}

// Cada dibujo pone el ancho de línea que usa: los textos de las reacciones y de
// la deformada no heredan el que dejó el dibujo anterior (en la escena grabada
// ese sería el de otro momento)
TEST_F(CacheDibujo, TextosDeResultadosConSuPropioAncho)
{
    flags[flagTextoDiagramas] = 1;
    funcionAplicarProyeccion();
    girar(40, 25);
    struct Caso {
        const char* nombre;
        std::function<void()> dibujo;
    };
    const std::vector<Caso> casos = {
        {"reacciones", [] { plotReacciones(0); }},
        {"deformada", [] { plotDeformada(0, escalaDef); }},
    };
    auto pixeles = [](const Caso& c, float anchoAntes) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
        glLineWidth(anchoAntes);
        c.dibujo();
        glFinish();
        int w = 0, h = 0;
        return leerPixeles(w, h);
    };
    for (const Caso& c : casos) {
        std::vector<unsigned char> fino = pixeles(c, 1);
        EXPECT_EQ(pixelesDistintos(pixeles(c, 4), fino), 0) << c.nombre;
        int pintados = 0;
        for (unsigned char v : fino) pintados += v != 0;
        EXPECT_GT(pintados, 200) << c.nombre;
    }
}

// La cámara y la ventana no obligan a grabar de nuevo: tras F2, F3, F4, la
// vista ortogonal acercada y otro tamaño de ventana, lo reproducido es lo
// dibujado de nuevo
TEST_F(CacheDibujo, CamaraYVentanaNoObliganAGrabar)
{
    struct Caso {
        const char* nombre;
        std::function<void()> cambio;
    };
    const std::vector<Caso> casos = {
        {"F2", [] { tecladoEspecial(GLUT_KEY_F2, 0, 0); }},
        {"F3", [] { tecladoEspecial(GLUT_KEY_F3, 0, 0); }},
        {"F4", [] { tecladoEspecial(GLUT_KEY_F4, 0, 0); }},
        {"rueda en ortogonal",
         [] {
             tecladoEspecial(GLUT_KEY_F3, 0, 0);
             rueda(4);
         }},
        {"ventana de 800 x 600", [] { changeSize(800, 600); }},
        {"ventana de 500 x 900 (queda de 600 x 900)", [] { changeSize(500, 900); }},
    };
    for (const Dibujo& d : dibujos) {
        std::vector<int> arranque = flags;
        encender(d);
        girar(40, 25);
        cuadro(Cache::encendida);
        int grabadas = funcionGrabacionesEscena();
        for (const Caso& c : casos) {
            c.cambio();
            esperarIgualSinCache(std::string(d.nombre) + ", " + c.nombre);
        }
        EXPECT_EQ(funcionGrabacionesEscena(), grabadas) << d.nombre;
        flags = arranque;
        funcionFronteraGraf();
        funcionAplicarProyeccion();
    }
}

namespace {

// Globales que la prueba sabe cambiar: números, textos, vectores de enteros y
// matrices (los objetos del modelo no: los cambian solo el reinicio y la
// carga, que cambian su versión, y CambiosQueObliganAGrabarDeNuevo los carga
// de nuevo sin el reinicio)
template <class T>
constexpr bool cambiable =
    std::is_arithmetic_v<T> || std::is_same_v<T, std::string> ||
    std::is_same_v<T, std::vector<int>> || std::is_same_v<T, VectorXi> ||
    std::is_same_v<T, MatrixXd>;

// Cambia el global a otro valor de su tipo; false si está vacío
template <class T>
bool cambiar(T& v)
{
    if constexpr (std::is_arithmetic_v<T>) {
        v = static_cast<T>(v * 1.25 + 1);
        return true;
    } else if constexpr (std::is_same_v<T, std::string>) {
        v += "x";
        return true;
    } else if constexpr (std::is_same_v<T, std::vector<int>>) {
        if (v.empty()) return false;
        v[0]++;
        return true;
    } else if constexpr (std::is_same_v<T, VectorXi>) {
        if (v.size() == 0) return false;
        v(0) = 1 - v(0);
        return true;
    } else {
        if (v.size() == 0) return false;
        v(0, 0) += 1;
        return true;
    }
}

}  // namespace

// Cada global, cambiado por sí solo: si la escena lo lee sin que esté en su
// estado (estadoEscena), el cuadro reproducido sería viejo. Los del estado de
// la escena obligan a grabar de nuevo; los demás (cámara, ratón, ventana,
// línea de comandos, archivo, mapas y resultados globales) no, y lo
// reproducido es igual a lo dibujado de nuevo
TEST_F(CacheDibujo, CadaGlobalEnLaFirmaOFueraDeLaEscena)
{
    // Los rótulos conviven con un dibujo de resultados
    const std::vector<Dibujo> escenas = {
        {"rótulos y carga", {flagTagNudos, flagTagBarras, flagSecciones, flagCarga}, {2}},
        {"números y deflexion", {flagTagNudos, flagTagBarras, flagDeformada}, {0}},
    };
    std::vector<int> arranque = flags;
    for (const Dibujo& d : escenas) {
        // Cada global de un grupo; en la escena si es del estado de la escena
        auto probarGrupo = [&](auto grupo, bool enEscena, const char* que) {
            int i = 0;
            auto probar = [&](auto& g) {
                using T = std::decay_t<decltype(g)>;
                std::string caso = std::string(d.nombre) + ", " + que + " " + std::to_string(i++);
                if constexpr (cambiable<T>) {
                T antes = g;
                flags = arranque;
                encender(d);
                girar(40, 25);
                cuadro(Cache::encendida);
                int grabadas = funcionGrabacionesEscena();
                if (!cambiar(g)) return;
                esperarIgualSinCache(caso);
                EXPECT_EQ(funcionGrabacionesEscena(), grabadas + (enEscena ? 1 : 0)) << caso;
                // Las versiones nunca vuelven atrás
                if (static_cast<const void*>(&g) != &versionModelo &&
                    static_cast<const void*>(&g) != &versionResultados) {
                    g = antes;
                }
                funcionFronteraGraf();
                funcionAplicarProyeccion();
                xClickIzq = yClickIzq = 0;
                }
            };
            std::apply([&](auto&... g) { (probar(g), ...); }, grupo);
        };
        probarGrupo(estadoEscena(), true, "escena");
        probarGrupo(globalesSesion(), false, "sesión");
        probarGrupo(globalesModelo(), false, "modelo");
    }
}
