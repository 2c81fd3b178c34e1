// Cargador del modelo: líneas de consola, mapas, bloques, combos y ajustes.
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

#include <gtest/gtest.h>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "input/funcionLeerArchivo.h"

namespace
{

bool tieneLinea(const std::string& salida, const std::string& linea)
{
    for (const std::string& l : lineasDe(salida)) {
        if (l == linea) {
            return true;
        }
    }
    return false;
}

// Índices y mapas coherentes; cada nudo y barra con noCombos combos
void verificarConsistencia(const std::string& caso)
{
    ASSERT_EQ(static_cast<int>(nudo.size()), noNudos) << caso;
    ASSERT_EQ(static_cast<int>(barra.size()), noBarras) << caso;
    for (int r = 0; r < noNudos; r++) {
        objNudo3d& n = nudo[static_cast<size_t>(r)];
        EXPECT_EQ(n.getNoNudoInterno(), r) << caso;
        ASSERT_GE(n.getNoNudoUsuario(), 0) << caso;
        ASSERT_LT(n.getNoNudoUsuario(), punteroNudos.size()) << caso;
        EXPECT_EQ(punteroNudos(n.getNoNudoUsuario()), r) << caso;
        for (int k = 0; k < 6; k++) {
            EXPECT_EQ(n.getGdl()(k), 6 * r + 1 + k) << caso;
        }
        EXPECT_EQ(n.getCantidadDeCombos(), noCombos) << caso;
    }
    for (int r = 0; r < noBarras; r++) {
        objBarra3d& b = barra[static_cast<size_t>(r)];
        EXPECT_EQ(b.getNoBarraInterna(), r) << caso;
        ASSERT_GE(b.getNoBarraUsuario(), 0) << caso;
        ASSERT_LT(b.getNoBarraUsuario(), punteroBarras.size()) << caso;
        EXPECT_EQ(punteroBarras(b.getNoBarraUsuario()), r) << caso;
        int i = b.getNudoInicioInterno(), j = b.getNudoFinalInterno();
        ASSERT_TRUE(i >= 0 && i < noNudos && j >= 0 && j < noNudos) << caso;
        objNudo3d& ni = nudo[static_cast<size_t>(i)];
        objNudo3d& nj = nudo[static_cast<size_t>(j)];
        EXPECT_EQ(b.getXi(), ni.getX()) << caso;
        EXPECT_EQ(b.getZf(), nj.getZ()) << caso;
        EXPECT_GT(b.getLongitud(), 0) << caso;
        EXPECT_EQ(static_cast<int>(b.getEtiquetasCombo().size()), noCombos) << caso;
    }
}

// Las once advertencias de un archivo sin ajustes, en orden
std::string avisosDeAjustes()
{
    std::string s = avisoEntero + "precision:\n";
    for (const char* e : {"escalaTexto:", "escalaDeflexion:", "escalaMy:", "escalaMz:", "escalaVy:",
                          "escalaVz:", "escalaN:", "escalaT:", "escalaApoyo:", "escalaCarga:"}) {
        s += avisoReal + e + "\n";
    }
    return s;
}

// Modelo con todas las clases de bloque. Valores elegidos para comprobarlos a mano.
const char* archivoCompleto = R"(nudos:
10 0 0 0
20 4 0 0
30 4 0 3
40 0 0 3
50 0 4 3

barras:
1 10 20
2 20 30
3 30 40
4 40 50
5 10 40

apoyo: 1 1 1 1 1 1 10
apoyo: 1 1 1 0 0 0 30 50
apoyo: 0.99 1 1 0 0 0 50
apoyo: 2 0 1 0 0 0

puntual: D 0 0 -10 0 0 0 30 30
puntual: D 0 0 -5 0 0 0 30
puntual: L 3 0 0 0 0 2 25

seccionGenerica: G1 0.01 2e-5 3e-5 1e-5 2e8 0.3 78.5 1
seccionRectangular: R1 0.2 0.4 2.5e7 0.2 24 1 5
seccionCostanera: C150 150 50 15 2 3 2e8 0.3 78.5 2.9
seccionW: W310 0.2 0.012 0.3 0.008 2e8 0.3 78.5 3
seccionPlaca: P1 0.3 0.02 2e8 0.3 78.5 4

rotacionBarra: 30 1
rotacionBarra: 90
distribuidaLocalX: D 1 2 5
distribuidaLocalY: L -3 -6 3
distribuidaLocalZ: L 0.5 0.5 3
distribuidaLocalT: D 0.25 4
distribuidaGlobal: D 8 8 0 0 -1 1
articulacion: 0 1 0.5 1 3
articulacion: -1 2 1 0 4

pesoPropio: PP

combo: ELU 1.2 D 1.6 L 1.2 PP
combo: SERV 1 D 1 L

precision: 2
escalaN: 0.5
escalaN: 0.2
escalaApoyo: 0
escalaTexto: -3
)";

} // namespace

TEST(Cargador, ConsolaArchivoVacio)
{
    std::string salida = cargar("");
    EXPECT_EQ(salida, "lectura de nudos OK Num Nudos = 0\n"
                      "lectura de barras OK Num Barras = 0\n" +
                          avisosDeAjustes());
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_TRUE(nudo.empty());
    EXPECT_TRUE(barra.empty());
}

TEST(Cargador, ConsolaArchivoInexistente)
{
    reiniciarModelo();
    nombreArchivo = "/tmp/tresnal-no-existe/ingresoDatos.txt";
    std::string salida = capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(salida, "Advertencia: no se pudo abrir el archivo "
                      "/tmp/tresnal-no-existe/ingresoDatos.txt; se lee como un archivo vacío\n"
                      "lectura de nudos OK Num Nudos = 0\n"
                      "lectura de barras OK Num Barras = 0\n" +
                          avisosDeAjustes());
    // una carpeta tampoco se puede leer
    nombreArchivo = "/tmp";
    salida = capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(lineasDe(salida).at(0),
              "Advertencia: no se pudo abrir el archivo /tmp; se lee como un archivo vacío");
    EXPECT_EQ(precision, 3);
    EXPECT_EQ(escalaDef, 100);
    // ni un dispositivo sin fin ni una tubería sin escritor cuelgan la carga
    std::string tuberia = "/tmp/tresnal-tuberia-" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(tuberia.c_str(), 0600), 0);
    for (const std::string& ruta : {std::string("/dev/zero"), tuberia}) {
        nombreArchivo = ruta;
        salida = capturarSalida([] { funcionLeerArchivo(); });
        EXPECT_EQ(lineasDe(salida).at(0), "Advertencia: no se pudo abrir el archivo " + ruta +
                                            "; se lee como un archivo vacío");
        EXPECT_EQ(noNudos, 0);
    }
    std::remove(tuberia.c_str());
}

TEST(Cargador, ConsolaArchivoCompleto)
{
    std::string salida = cargar(archivoCompleto);
    // cada cosa que no se aplica o que se aplica de un modo que el archivo no
    // dice del todo tiene su línea, con la línea del archivo
    std::string esperada =
        "lectura de nudos OK Num Nudos = 5\n"
        "lectura de barras OK Num Barras = 5\n"
        "Advertencia: el bloque 3 de apoyo: (línea 17) tiene el código 0.99 (línea 17), que no es "
        "0 ni 1; no se aplica\n"
        "Advertencia: el bloque 4 de apoyo: (línea 18) tiene sus 6 valores y ningún nudo; no se "
        "aplica\n"
        "transferencia de apoyos a nudo[i] OK\n"
        "Advertencia: el nudo 30 (línea 20) ya está en la lista del bloque 1 de puntual: (D, línea "
        "20); recibe la carga otra vez\n"
        "Advertencia: el nudo 25 (línea 22) de puntual: no está en el modelo; se omite\n"
        "transferencia de cargas puntuales a nudo[i] OK\n"
        "transferencia de combos a nudo[i] OK\n"
        "transferencia de coord a barra[i] OK\n"
        "Advertencia: la barra 2.9 (línea 26) de seccionCostanera: no es un número entero; se toma "
        "como 2\n"
        "Secciones Costanera leidas\n"
        "SeccionesW leidas\n"
        "Advertencia: la barra 1 recibe sección del bloque 1 de seccionRectangular: (R1, línea 25) "
        "y del bloque 1 de seccionGenerica: (G1, línea 24); vale el segundo\n"
        "Advertencia: el bloque 2 de rotacionBarra: (línea 31) tiene su valor y ninguna barra; no "
        "se aplica\n"
        "Advertencia: el bloque 2 de articulacion: (línea 38) tiene la fijación -1 (línea 38), "
        "fuera de 0 a 1; se toma 0\n"
        "Advertencia: el bloque 2 de articulacion: (línea 38) tiene la fijación 2 (línea 38), "
        "fuera de 0 a 1; se toma 1\n"
        "Lectura de pesoPropio ---> OK\n";
    for (const char* e : {"escalaDeflexion:", "escalaMy:", "escalaMz:", "escalaVy:", "escalaVz:",
                          "escalaN:", "escalaT:", "escalaCarga:"}) {
        esperada += std::string(e) == "escalaN:"
                        ? "Advertencia: la etiqueta escalaN: aparece 2 veces (líneas 46 y 47); vale "
                          "la última\n"
                        : avisoReal + e + "\n";
    }
    EXPECT_EQ(salida, esperada);
    verificarConsistencia("completo");
}

TEST(Cargador, ModeloCompleto)
{
    cargar(archivoCompleto);
    ASSERT_EQ(noNudos, 5);
    ASSERT_EQ(noBarras, 5);
    ASSERT_EQ(noCombos, 2);

    // mapas: 51 y 6 entradas, los números sin fila apuntan a la fila 0
    ASSERT_EQ(punteroNudos.size(), 51);
    for (int u = 0; u <= 50; u++) {
        EXPECT_EQ(punteroNudos(u), u % 10 == 0 && u > 0 ? u / 10 - 1 : 0) << u;
    }
    ASSERT_EQ(punteroBarras.size(), 6);
    for (int u = 1; u <= 5; u++) {
        EXPECT_EQ(punteroBarras(u), u - 1);
    }
    EXPECT_EQ(nudo[2].getNoNudoUsuario(), 30);
    EXPECT_EQ(nudo[2].getX(), 4);
    EXPECT_EQ(nudo[2].getZ(), 3);

    // apoyos: un código 0.99 (ni 0 ni 1) deja el bloque sin aplicar, sin
    // lista no hace nada
    const int apoyos[5][6] = {{1, 1, 1, 1, 1, 1},
                              {0, 0, 0, 0, 0, 0},
                              {1, 1, 1, 0, 0, 0},
                              {0, 0, 0, 0, 0, 0},
                              {1, 1, 1, 0, 0, 0}};
    for (int r = 0; r < 5; r++) {
        for (int k = 0; k < 6; k++) {
            EXPECT_EQ(nudo[static_cast<size_t>(r)].getVectorApoyo()(k), apoyos[r][k]) << r;
        }
    }

    // cargas puntuales: nudo 30 dos veces en un bloque y otra en otro (D = -25);
    // el número 25 no lleva fila: la carga no va a ningún nudo
    EXPECT_DOUBLE_EQ(nudo[2].getPzCombo(0), 1.2 * -25);
    EXPECT_DOUBLE_EQ(nudo[2].getPzCombo(1), -25);
    for (size_t r = 0; r < 5; r++) {
        EXPECT_EQ(nudo[r].getPxCombo(0), 0) << r;
        EXPECT_EQ(nudo[r].getMzCombo(0), 0) << r;
        EXPECT_EQ(nudo[r].getPxCombo(1), 0) << r;
    }
    for (size_t r = 0; r < 5; r++) {
        EXPECT_EQ(nudo[r].getNombreCombo(0), "ELU");
        EXPECT_EQ(nudo[r].getNombreCombo(1), "SERV");
    }

    // barra 1: la genérica va después de la rectangular aunque esté antes
    objBarra3d& b1 = barra[0];
    EXPECT_EQ(b1.getCodigoSeccion(), codigoSeccionGenerica);
    EXPECT_EQ(b1.getNombreDeSeccion(), "G1");
    EXPECT_DOUBLE_EQ(b1.getArea(), 0.01);
    EXPECT_DOUBLE_EQ(b1.getIy(), 2e-5);
    EXPECT_DOUBLE_EQ(b1.getIz(), 3e-5);
    EXPECT_DOUBLE_EQ(b1.getModE(), 2e8);
    EXPECT_DOUBLE_EQ(b1.getModG(), 2e8 / (2 * 1.3));
    EXPECT_NEAR(b1.getAlfaDeg(), 120, 1e-9);
    // carga global vertical con giro 30: y local = (0, -1/2, √3/2), z local = (0, -√3/2, -1/2)
    double w1 = 0.01 * 78.5;
    double c30 = std::sqrt(3.0) / 2;
    EXPECT_NEAR(b1.getFyIniCombo(0), 1.2 * -c30 * (8 + w1), 1e-9);
    EXPECT_NEAR(b1.getFzFinCombo(0), 1.2 * 0.5 * (8 + w1), 1e-9);
    EXPECT_NEAR(b1.getFyIniCombo(1), -c30 * 8, 1e-9);

    // barra 2 (2.9 en la lista): costanera con alto y ancho invertidos al llamar
    objBarra3d directa;
    directa.setNudoInicio(1, 4, 0, 0);
    directa.setNudoFinal(2, 4, 0, 3);
    directa.setSeccionCostanera(50, 150, 15, 2, 3);
    objBarra3d& b2 = barra[1];
    EXPECT_EQ(b2.getCodigoSeccion(), codigoSeccionCostanera);
    EXPECT_EQ(b2.getNombreDeSeccion(), "C150");
    EXPECT_DOUBLE_EQ(b2.getArea(), directa.getArea());
    EXPECT_DOUBLE_EQ(b2.getIy(), directa.getIy());
    EXPECT_DOUBLE_EQ(b2.getIz(), directa.getIz());
    // barra vertical: el peso propio es todo axial, hacia el nudo inicial
    EXPECT_NEAR(b2.getFxIniCombo(0), -1.2 * directa.getArea() * 78.5, 1e-9);

    // barra 3: W; cargas locales del caso L y peso propio sobre y local = +Z
    objBarra3d& b3 = barra[2];
    double aW = 2 * 0.2 * 0.012 + (0.3 - 2 * 0.012) * 0.008;
    double hw = 0.3 - 2 * 0.012;
    double izW = 0.008 * hw * hw * hw / 12 +
                 2 * (0.2 * std::pow(0.012, 3) / 12 + 0.2 * 0.012 * std::pow(0.15 - 0.006, 2));
    EXPECT_EQ(b3.getCodigoSeccion(), codigoSeccionW);
    EXPECT_NEAR(b3.getArea(), aW, 1e-12);
    EXPECT_NEAR(b3.getIz(), izW, 1e-12);
    EXPECT_NEAR(b3.getFyIniCombo(0), 1.6 * -3 - 1.2 * aW * 78.5, 1e-9);
    EXPECT_NEAR(b3.getFyFinCombo(1), -6, 1e-12);
    EXPECT_NEAR(b3.getFzIniCombo(0), 1.6 * 0.5, 1e-12);
    EXPECT_EQ(b3.getArtIniY(), 0);
    EXPECT_EQ(b3.getArtFinY(), 1);
    EXPECT_EQ(b3.getArtIniZ(), 0.5);
    EXPECT_EQ(b3.getArtFinZ(), 1);

    // barra 4: placa, torsión, articulación acotada a 0..1, sin giro
    objBarra3d& b4 = barra[3];
    EXPECT_EQ(b4.getCodigoSeccion(), codigoSeccionPlaca);
    EXPECT_DOUBLE_EQ(b4.getArea(), 0.3 * 0.02);
    EXPECT_DOUBLE_EQ(b4.getTCombo(0), 1.2 * 0.25);
    EXPECT_DOUBLE_EQ(b4.getTCombo(1), 0.25);
    EXPECT_NEAR(b4.getAlfaDeg(), 90, 1e-12);
    EXPECT_EQ(b4.getArtIniY(), 0);
    EXPECT_EQ(b4.getArtFinY(), 1);
    EXPECT_EQ(b4.getArtIniZ(), 1);
    EXPECT_EQ(b4.getArtFinZ(), 0);

    // barra 5: rectangular, axial local y peso propio axial
    objBarra3d& b5 = barra[4];
    EXPECT_EQ(b5.getNombreDeSeccion(), "R1");
    EXPECT_DOUBLE_EQ(b5.getArea(), 0.2 * 0.4);
    EXPECT_DOUBLE_EQ(b5.getIz(), 0.2 * std::pow(0.4, 3) / 12);
    EXPECT_DOUBLE_EQ(b5.getIy(), 0.4 * std::pow(0.2, 3) / 12);
    EXPECT_NEAR(b5.getFxIniCombo(0), 1.2 * 1 - 1.2 * 0.08 * 24, 1e-12);
    EXPECT_NEAR(b5.getFxFinCombo(0), 1.2 * 2 - 1.2 * 0.08 * 24, 1e-12);
    EXPECT_NEAR(b5.getFxFinCombo(1), 2, 1e-12);

    // ajustes: el último escalaN:, 0 y negativos dejan el valor por defecto
    EXPECT_EQ(precision, 2);
    EXPECT_EQ(escalaN, 0.2);
    EXPECT_EQ(escalaApoyo, 0);
    EXPECT_EQ(escalaTexto, 0.15);
    EXPECT_EQ(escalaDef, 100);
    EXPECT_EQ(escalaCarga, 0.1);
}

TEST(Cargador, RecargaRehaceElModelo)
{
    // dos cargas seguidas del mismo archivo dan lo mismo (objetos nuevos)
    cargar(archivoCompleto);
    cargar(archivoCompleto);
    EXPECT_DOUBLE_EQ(nudo[2].getPzCombo(0), 1.2 * -25);
    verificarConsistencia("recarga");
    // sin nudos: noCombos y los mapas quedan del archivo anterior
    escalaN = 7;
    nombreArchivo = archivoTemporal("precision: 4\n");
    capturarSalida([] { funcionLeerArchivo(); });
    std::remove(nombreArchivo.c_str());
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_TRUE(nudo.empty());
    EXPECT_TRUE(barra.empty());
    EXPECT_EQ(noCombos, 2);
    EXPECT_EQ(punteroNudos.size(), 51);
    EXPECT_EQ(punteroBarras.size(), 6);
    EXPECT_EQ(precision, 4);
    EXPECT_EQ(escalaN, 0.01);
}

TEST(Cargador, CadaCargaLeeElArchivoDeNuevo)
{
    // un archivo reemplazado entre dos cargas se lee entero de nuevo
    reiniciarModelo();
    nombreArchivo = archivoTemporal("nudos: 1 0 0 0 2 1 0 0\nescalaN: 0.5\n");
    capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(noNudos, 2);
    EXPECT_EQ(escalaN, 0.5);
    std::string nuevo = archivoTemporal("nudos: 1 0 0 0 2 1 0 0 3 2 0 0\nescalaN: 0.25\n");
    ASSERT_EQ(std::rename(nuevo.c_str(), nombreArchivo.c_str()), 0);
    nudo.clear();
    capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(noNudos, 3);
    EXPECT_EQ(escalaN, 0.25);
    std::remove(nombreArchivo.c_str());
}

TEST(Cargador, SinCombosNiPesoPropio)
{
    std::string salida = cargar("nudos: 1 0 0 0 2 3 0 0\nbarras: 7 1 2\n"
                                "puntual: D 1 0 0 0 0 0 2\n"
                                "distribuidaLocalY: D 2 2 7\n"
                                "pesoPropio: PP\npesoPropio: PP\npesoPropio: X\n");
    EXPECT_EQ(noCombos, 0);
    EXPECT_EQ(nudo[1].getCantidadDeCombos(), 0);
    EXPECT_TRUE(barra[0].getEtiquetasCombo().empty());
    EXPECT_FALSE(tieneLinea(salida, "transferencia de combos a nudo[i] OK"));
    EXPECT_TRUE(tieneLinea(salida, "No usar la etiqueta *pesoPropio:* más de una vez"));
    // las cargas quedan guardadas: un combo posterior las encuentra
    nudo[1].setCombo("X", 2, "D");
    barra[0].setCombo("X", 1, "D");
    EXPECT_EQ(nudo[1].getPxCombo(0), 2);
    EXPECT_EQ(barra[0].getFyIniCombo(0), 2);
    // sin peso propio: el caso PP no agrega nada
    barra[0].setCombo("Y", 1, "PP");
    EXPECT_EQ(barra[0].getFzIniCombo(1), 0);
    salida = cargar("nudos: 1 0 0 0 2 3 0 0\nbarras: 7 1 2\n");
    EXPECT_TRUE(tieneLinea(salida, "No se calculará el peso propio de la estructura"));
}

TEST(Cargador, Ajustes)
{
    struct caso {
        std::string contenido;
        int precision;
        double escalaN, escalaDef;
        std::string linea; // línea que debe aparecer, vacía si ninguna nueva
    };
    const std::vector<caso> casos = {
        {"precision: 0\n", 0, 0.01, 100, ""},
        {"precision: -1\n", 3, 0.01, 100, ""},
        {"precision: 7.9\n", 7, 0.01, 100,
         "Advertencia: el valor 7.9 (línea 1) de la etiqueta precision: no es entero; se usan 7 "
         "decimales"},
        {"precision: -5\n", 0, 0.01, 100,
         "Advertencia: el valor -5 (línea 1) de la etiqueta precision: es negativo; se usan 0 "
         "decimales"},
        {"precision: dos\n", 3, 0.01, 100,
         "Advertencia: el valor dos (línea 1) de la etiqueta precision: no es un entero válido"},
        {"precision: 3000000000\n", 3, 0.01, 100,
         "Advertencia: el valor 3000000000 (línea 1) de la etiqueta precision: no es un entero "
         "válido"},
        {"escalaN: 0.5\nescalaN: 0.2 escalaDeflexion: 2.5E1\n", 3, 0.2, 25,
         "Advertencia: la etiqueta escalaN: aparece 2 veces (líneas 1 y 2); vale la última"},
        {"escalaN: 0 escalaDeflexion: -4\n", 3, 0.01, 100, ""},
        {"escalaN: . escalaDeflexion: e\n", 3, 0.01, 100,
         "Advertencia: el valor . (línea 1) de la etiqueta escalaN: no es un real válido"},
        {"escalaDeflexion: nan\n", 3, 0.01, 100,
         "Advertencia: el valor nan (línea 1) de la etiqueta escalaDeflexion: no es un real "
         "válido"},
        {"escalaN: 0.3\nescalaN:", 3, 0.01, 100,
         "Advertencia: falta el valor de la etiqueta escalaN: (línea 2)"},
        // más decimales de los que el visor escribe
        {"precision: 2147483647\n", 15, 0.01, 100,
         "Advertencia: el valor 2147483647 (línea 1) de la etiqueta precision: pasa de 15; se "
         "usan 15 decimales"},
        {"precision: 16\n", 15, 0.01, 100,
         "Advertencia: el valor 16 (línea 1) de la etiqueta precision: pasa de 15; se usan 15 "
         "decimales"},
        {"precision: 15\n", 15, 0.01, 100, ""},
    };
    for (const caso& c : casos) {
        precision = 99;
        escalaN = 99;
        escalaDef = 99;
        std::string salida = cargar(c.contenido);
        EXPECT_EQ(precision, c.precision) << c.contenido;
        EXPECT_EQ(escalaN, c.escalaN) << c.contenido;
        EXPECT_EQ(escalaDef, c.escalaDef) << c.contenido;
        if (!c.linea.empty()) {
            EXPECT_TRUE(tieneLinea(salida, c.linea)) << c.contenido << "\n" << salida;
        }
        // nunca más de una línea nueva por ajuste, y las demás son las de ausencia
        for (const std::string& l : lineasDe(salida)) {
            bool conocida = l.rfind("lectura de", 0) == 0 || l.rfind(avisoEntero, 0) == 0 ||
                            l.rfind(avisoReal, 0) == 0 || l == c.linea ||
                            l == "Advertencia: el valor e (línea 1) de la etiqueta "
                                 "escalaDeflexion: no es un real válido" ||
                            l == "Advertencia: la etiqueta escalaN: aparece 2 veces (líneas 1 y "
                                 "2); vale la última";
            EXPECT_TRUE(conocida) << c.contenido << ": " << l;
        }
    }
}

TEST(Cargador, FallasDelArchivo)
{
    struct caso {
        const char* nombre;
        std::string contenido;
        std::vector<std::string> lineas; // líneas nuevas que deben aparecer
        std::function<void()> verificar;
    };
    std::string cienCombos = "nudos: 1 0 0 0 2 1 0 0\nbarras: 1 1 2\npuntual: D 0 0 -1 0 0 0 2\n";
    for (int c = 0; c < 101; c++) {
        cienCombos += "combo: C" + std::to_string(c) + " " + std::to_string(c) + " D\n";
    }
    const std::string dosNudos = "nudos: 1 0 0 0 2 1 0 0\n";
    const std::vector<caso> casos = {
        {"signo suelto en la tabla de nudos: la corta",
         "nudos: 1 0 0 0 2 - 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1 1\n",
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 2 (línea 1), con 1 de sus 4 "
          "valores, donde termina en - (línea 1), que no es un número ni una etiqueta del "
          "formato; no se lee ninguna fila",
          "Advertencia: la línea 1 de la tabla nudos: tiene 5 números y una fila tiene 4",
          "Advertencia: no hay nudos; se descarta la tabla barras: (línea 2, 1 fila)",
          "lectura de barras OK Num Barras = 0",
          "Advertencia: no hay nudos; no se lee ningún bloque apoyo: (línea 3)"},
         [] { EXPECT_EQ(noNudos, 0); }},
        {"punto suelto en un apoyo: el bloque no se aplica",
         dosNudos + "apoyo: 1 1 . 0 0 0 1\napoyo: 1 1 1 0 0 0 2\n",
         {"Advertencia: el bloque 1 de apoyo: (línea 2) termina en . (línea 2), que no es un "
          "número ni una etiqueta del formato, con 2 de sus 6 valores y ningún nudo; no se "
          "aplica"},
         [] {
             EXPECT_EQ(nudo[0].getVectorApoyo().sum(), 0);
             EXPECT_EQ(nudo[1].getVectorApoyo().sum(), 3);
         }},
        {"código de apoyo enorme",
         dosNudos + "apoyo: 1e10 1 1 0 0 0 1 2\n",
         {"Advertencia: el bloque 1 de apoyo: (línea 2) tiene el código 1e10 (línea 2), que no "
          "es 0 ni 1; no se aplica"},
         [] { EXPECT_EQ(nudo[0].getVectorApoyo().sum(), 0); }},
        {"números de la lista fuera del mapa",
         "nudos: 1 0 0 0 2 1 0 0 5 2 0 0\napoyo: 1 1 1 1 1 1 -1 6 2 20000000 1e30 -0.5\n",
         {"Advertencia: el nudo -1 (línea 2) de apoyo: no está en el modelo; se omite",
          "Advertencia: el nudo 6 (línea 2) de apoyo: no está en el modelo; se omite",
          "Advertencia: el nudo 20000000 (línea 2) de apoyo: no está en el modelo; se omite",
          "Advertencia: el nudo 1e30 (línea 2) de apoyo: no está en el modelo; se omite",
          "Advertencia: el nudo -0.5 (línea 2) de apoyo: no está en el modelo; se omite"},
         [] {
             // -0.5 se trunca a 0, que ninguna fila lleva: ningún nudo
             EXPECT_EQ(nudo[0].getVectorApoyo().sum(), 0);
             EXPECT_EQ(nudo[1].getVectorApoyo().sum(), 6);
             EXPECT_EQ(nudo[2].getVectorApoyo().sum(), 0);
         }},
        {"números de usuario negativos o más allá de un entero en la tabla",
         "nudos: 3000000000 0 0 0 1 0 0 0 -3 5 5 5 2 1 0 0\nbarras: 1 1 2 5e9 1 2\n",
         {"Advertencia: el nudo 3000000000 (línea 1) de nudos: está fuera del rango 0 a "
          "2147483647; se descarta la fila",
          "Advertencia: el nudo -3 (línea 1) de nudos: está fuera del rango 0 a 2147483647; se "
          "descarta la fila",
          "Advertencia: la barra 5e9 (línea 2) de barras: está fuera del rango 0 a "
          "2147483647; se descarta la fila",
          "lectura de nudos OK Num Nudos = 2"},
         [] {
             EXPECT_EQ(punteroNudos.size(), 3);
             EXPECT_EQ(punteroBarras.size(), 2);
             EXPECT_EQ(noBarras, 1);
         }},
        {"barras con un nudo que no está en la tabla",
         "nudos: 1 0 0 0 2 1 0 0 4 0 1 0\nbarras: 1 1 2 2 2 3 3 2 9 4 1 4\n"
         "seccionRectangular: R 0.2 0.3 1 0.2 1 2 4 3 5\n",
         {"Advertencia: la barra 2 (línea 2) de barras: usa el nudo 3, que no está en nudos:; se "
          "descarta",
          "Advertencia: la barra 3 (línea 2) de barras: usa el nudo 9, que no está en nudos:; se "
          "descarta",
          "Advertencia: la barra 2 (línea 3) de seccionRectangular: no está en el modelo; se omite",
          "Advertencia: la barra 3 (línea 3) de seccionRectangular: no está en el modelo; se omite",
          "Advertencia: la barra 5 (línea 3) de seccionRectangular: no está en el modelo; se omite",
          "lectura de barras OK Num Barras = 2"},
         [] {
             EXPECT_EQ(barra[1].getNoBarraUsuario(), 4);
             EXPECT_EQ(barra[1].getNudoFinalInterno(), 2);
             EXPECT_EQ(barra[1].getNombreDeSeccion(), "R");
             EXPECT_FALSE(barra[0].getBoolSeccion());
         }},
        {"barras de extremos coincidentes",
         "nudos: 1 0 0 0 2 0 0 0 3 1 0 0\nbarras: 1 1 1 2 1 2 3 1 3\n",
         {"Advertencia: la barra 1 (línea 2) de barras: une los nudos 1 y 1, que coinciden en el "
          "espacio; se descarta",
          "Advertencia: la barra 2 (línea 2) de barras: une los nudos 1 y 2, que coinciden en el "
          "espacio; se descarta"},
         [] {
             ASSERT_EQ(noBarras, 1);
             EXPECT_EQ(barra[0].getNoBarraUsuario(), 3);
             EXPECT_EQ(barra[0].getLongitud(), 1);
         }},
        {"nudo repetido: queda la última fila",
         "nudos: 1 0 0 0 2 1 0 0 1 0 0 5\nbarras: 1 1 2\n",
         {"Advertencia: el nudo 1 (línea 1) aparece más de una vez en nudos:; queda su fila 3 "
          "(línea 1)",
          "lectura de nudos OK Num Nudos = 2"},
         [] {
             EXPECT_EQ(nudo[1].getNoNudoUsuario(), 1);
             EXPECT_EQ(nudo[1].getZ(), 5);
             EXPECT_EQ(barra[0].getNudoInicioInterno(), 1);
             EXPECT_DOUBLE_EQ(barra[0].getLongitud(), std::sqrt(26.0));
         }},
        {"barra repetida: queda la última fila",
         "nudos: 1 0 0 0 2 1 0 0 3 2 0 0\nbarras: 1 1 2 1 2 3\n",
         {"Advertencia: la barra 1 (línea 2) aparece más de una vez en barras:; queda su fila 2 "
          "(línea 2)"},
         [] {
             ASSERT_EQ(noBarras, 1);
             EXPECT_EQ(barra[0].getNudoInicioInterno(), 1);
         }},
        {"combo sin pares y nombre repetido",
         dosNudos + "puntual: D 0 0 -10 0 0 0 2\n"
                    "combo: A 1 D combo: VACIO combo: A 2 D combo: B 1 D combo: F 1 D e L\n",
         {"Advertencia: el combo VACIO (línea 3) de combo: no tiene ningún par (factor, caso); "
          "no se usa",
          "Advertencia: el combo A (línea 3) aparece en más de un bloque combo:; sus pares se "
          "suman al primero (línea 3)",
          "Advertencia: el combo F (línea 3) de combo: termina en e (línea 3), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"},
         [] {
             // e corta la lista de F como cualquier token que no es un número
             EXPECT_EQ(noCombos, 3);
             EXPECT_EQ(nudo[1].getPzCombo(0), -30);
             EXPECT_EQ(nudo[1].getPzCombo(1), -10);
             EXPECT_EQ(nudo[1].getNombreCombo(1), "B");
             EXPECT_EQ(nudo[1].getPzCombo(2), -10);
         }},
        {"combo con un caso que ninguna carga define: aporta cero",
         dosNudos + "barras: 1 1 2\npuntual: D 0 0 -10 0 0 0 2\npesoPropio: PP\n"
                    "combo: ELU 1.2 D 1.6 d 1 PP\n",
         {"Advertencia: el combo ELU usa el caso d (línea 5), que ningún bloque de cargas define; "
          "aporta cero"},
         [] {
             EXPECT_EQ(noCombos, 1);
             EXPECT_DOUBLE_EQ(nudo[1].getPzCombo(0), -12);
         }},
        {"más de 100 combos: se cargan todos",
         cienCombos,
         {"Advertencia: hay 101 combos; el visor solo puede mostrar y cambiar los primeros 100"},
         [] {
             EXPECT_EQ(noCombos, 101);
             EXPECT_EQ(nudo[1].getPzCombo(100), -100);
         }},
        {"tabla repetida: queda la primera",
         "nudos: 1 0 0 0 2 1 0 0\nnudos: 3 0 0 0\n",
         {"Advertencia: la etiqueta nudos: aparece 2 veces (líneas 1 y 2); se usa la primera "
          "tabla"},
         [] {
             EXPECT_EQ(noNudos, 2);
             EXPECT_EQ(nudo[1].getNoNudoUsuario(), 2);
         }},
        {"barras sin nudos",
         "barras: 1 1 2 2 2 3\n",
         {"Advertencia: no hay nudos; se descarta la tabla barras: (línea 1, 2 filas)"},
         [] { EXPECT_EQ(noBarras, 0); }},
    };
    for (const caso& c : casos) {
        noCombos = 0;
        std::string salida = cargar(c.contenido);
        for (const std::string& l : c.lineas) {
            EXPECT_TRUE(tieneLinea(salida, l)) << c.nombre << "\nfalta: " << l << "\n" << salida;
        }
        // cada advertencia nueva es una de las esperadas
        for (const std::string& l : avisosDe(salida)) {
            bool esperada = false;
            for (const std::string& e : c.lineas) {
                esperada = esperada || e == l;
            }
            EXPECT_TRUE(esperada) << c.nombre << ": " << l;
        }
        verificarConsistencia(c.nombre);
        c.verificar();
    }
}

TEST(Cargador, ArchivoDeSoloLectura)
{
    std::string ruta = archivoTemporal("nudos: 1 0 0 0 2 1 0 0 3 2 0 0\n");
    ASSERT_EQ(chmod(ruta.c_str(), 0444), 0);
    // en un proceso aparte y, si somos root, como otro usuario: así el
    // archivo de verdad no se puede abrir para escribir
    pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(100);
        }
        if (open(ruta.c_str(), O_RDWR) >= 0) {
            _exit(101);
        }
        reiniciarModelo();
        nombreArchivo = ruta;
        funcionLeerArchivo();
        _exit(noNudos);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    std::remove(ruta.c_str());
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 3);
}

TEST(Cargador, Ejemplos)
{
    struct ejemplo {
        const char* archivo;
        int nudos, barras, combos;
    };
    for (const ejemplo& e :
         {ejemplo{"ingresoDatos.txt", 8, 8, 3}, ejemplo{"porticoCompleto.txt", 12, 14, 3},
          ejemplo{"voladizo.txt", 2, 1, 1}, ejemplo{"porticoSimple.txt", 4, 3, 3},
          ejemplo{"vigaContinua.txt", 3, 2, 2}}) {
        reiniciarModelo();
        nombreArchivo = std::string(DIR_EJEMPLOS) + "/" + e.archivo;
        std::string salida = capturarSalida([] { funcionLeerArchivo(); });
        EXPECT_EQ(noNudos, e.nudos) << e.archivo;
        EXPECT_EQ(noBarras, e.barras) << e.archivo;
        EXPECT_EQ(noCombos, e.combos) << e.archivo;
        for (const std::string& l : lineasDe(salida)) {
            bool esperada = l.rfind("Advertencia:", 0) != 0 || l.rfind(avisoEntero, 0) == 0 ||
                            l.rfind(avisoReal, 0) == 0;
            EXPECT_TRUE(esperada) << e.archivo << ": " << l;
        }
        for (objBarra3d& b : barra) {
            EXPECT_TRUE(b.getBoolSeccion()) << e.archivo << " barra " << b.getNoBarraUsuario();
        }
        verificarConsistencia(e.archivo);
    }
}
