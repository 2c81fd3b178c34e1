// Tandas de dibujo: lo que no se puede grabar relativo a la cámara, y lo que
// se dibuja sin un LoteDibujo abierto, se rechaza en voz alta.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/viewer/prueba_primitivas_ayuda.h"
#include "viewer/lotePlot.h"

using namespace dibujoPrueba;

namespace {

// Ejecuta f y devuelve lo que escribió en la salida de errores
std::string capturarErrores(const std::function<void()>& f)
{
    std::ostringstream errores;
    std::streambuf* antes = std::cerr.rdbuf(errores.rdbuf());
    f();
    std::cerr.rdbuf(antes);
    return errores.str();
}

}  // namespace

// Un giro o una escala de cámara dentro de otro no se aplica: la línea de error
// lo dice y el texto sale girado una sola vez, como sin el segundo giro
TEST(Tandas, MarcoDeCamaraDentroDeOtroSeRechaza)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    ponerCamara({3, -4, 2}, {0, 0, 0});
    auto texto = [](void (*segundo)()) {
        return capturarSegmentos([segundo] {
            LoteDibujo lote;
            loteEmpujarMatriz();
            loteTrasladar(1, 2, 0.5);
            loteEscalar(0.01, 0.01, 0.01);
            loteGirarHaciaCamara();
            if (segundo) segundo();
            loteTexto("H");
            loteSacarMatriz();
        });
    };
    const std::vector<Segmento> una = texto(nullptr);
    ASSERT_FALSE(una.empty());
    const std::string linea =
        "Error del visor: un marco de cámara dentro de un giro o una escala de cámara no se "
        "puede dibujar; se deja sin aplicar\n";
    struct Caso {
        const char* nombre;
        void (*segundo)();
    };
    const Caso casos[] = {
        {"giro", [] { loteGirarHaciaCamara(); }},
        {"escala", [] { loteEscalarConCamara(2); }},
        {"traslación", [] { loteTrasladarConCamara(1, 0, 0); }},
    };
    for (const Caso& c : casos) {
        std::vector<Segmento> dos;
        EXPECT_EQ(capturarErrores([&] { dos = texto(c.segundo); }), linea) << c.nombre;
        ASSERT_EQ(dos.size(), una.size()) << c.nombre;
        for (size_t i = 0; i < una.size(); i++) {
            esperarCerca(dos[i].a, una[i].a, tolModelo, c.nombre);
            esperarCerca(dos[i].b, una[i].b, tolModelo, c.nombre);
        }
    }
}

// Un dibujo sin un LoteDibujo abierto es un error del visor: en depuración se
// detiene; si no, lo dice en una línea (una por dibujo, de nuevo después de
// abrirse uno), no dibuja nada y el dibujo siguiente sale sin nada suyo
TEST(Tandas, DibujoSinLoteSeDice)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    auto suelto = [] {
        loteColor(1, 0, 0);
        loteEmpujarMatriz();
        loteTrasladar(1, 0, 0);
        loteComenzar(GL_LINES);
        loteVertice(0, 0, 0);
        loteVertice(1, 0, 0);
        loteTerminar();
        loteTexto("A");
        loteSacarMatriz();
    };
#ifdef NDEBUG
    const std::string linea =
        "Error del visor: loteColor sin un LoteDibujo abierto; lo que dibuja no se ve\n";
    std::vector<PrimitivaGL> sueltas;
    EXPECT_EQ(capturarErrores([&] { sueltas = capturarFeedback(suelto); }), linea);
    EXPECT_TRUE(sueltas.empty());
    // El dibujo que sigue tiene solo su tramo, en su lugar
    const std::vector<Segmento> despues = capturarSegmentos([] {
        LoteDibujo lote;
        loteComenzar(GL_LINES);
        loteVertice(0, 2, 0);
        loteVertice(0, 3, 0);
        loteTerminar();
    });
    ASSERT_EQ(despues.size(), 1u);
    esperarCerca(despues[0].a, {0, 2, 0}, tolModelo, "después");
    esperarCerca(despues[0].b, {0, 3, 0}, tolModelo, "después");
    // Después de un dibujo bien hecho se dice otra vez
    EXPECT_EQ(capturarErrores(suelto), linea);
#else
    // Mesa tiene sus hilos: el hijo vuelve a arrancar el ejecutable
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(suelto(), "LoteDibujo");
#endif
}
