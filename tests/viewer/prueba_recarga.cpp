// Recarga con F5: archivo editado, flags, cámara, proyección y pregunta pendiente.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

const std::string lineaReinicio =
    "\n\n\n------------------------Reinicio del programa------------------\n";

// Segundo modelo: otra geometría, otros combos y una escala propia
const char* modeloEditado = R"(nudos:
1 0 0 0
2 3 0 0
3 3 0 4
barras:
1 1 2
2 2 3
apoyo:
1 1 1 1 1 1
1
combo:
SISMO 1 V
combo:
SERV 1 V
escalaN: 0.5
)";

class Recarga : public EstadoVisorTest {
protected:
    void reescribir(const std::string& texto)
    {
        std::ofstream archivo(nombreArchivo, std::ios::binary | std::ios::trunc);
        archivo << texto;
    }
};

TEST_F(Recarga, ArchivoEditadoConPreguntaPendiente)
{
    cargarModelo(modeloPortico);
    ASSERT_EQ(noNudos, 5);

    // Estado cambiado de todas las formas posibles
    escribirLinea("plotN");
    escribirLinea("combo");
    escribirLinea("ELU");
    ASSERT_EQ(flags[flagCombos], 1);
    escribirLinea("aislar");
    escribirLinea("3");
    modificadorFalso = 0;
    teclado('+', 0, 0);
    modificadorFalso = GLUT_ACTIVE_SHIFT;
    teclado('+', 0, 0);
    modificadorFalso = GLUT_ACTIVE_ALT;
    teclado('c', 0, 0);
    modificadorFalso = 0;
    zoomIn();
    zoomIn();
    tecladoEspecial(GLUT_KEY_F1, 0, 0);
    escribirLinea("combo");
    for (unsigned char c : std::string("SE")) teclado(c, 0, 0);
    ASSERT_EQ(flags[flagPerspectiva], 2);
    ASSERT_EQ(numeroComboCoincidente, 0);
    u = MatrixXd::Constant(30, 3, 2.5);
    wVentana = hVentana = 0;

    reescribir(modeloEditado);
    std::string salida = capturarSalida([] { tecladoEspecial(GLUT_KEY_F5, 0, 0); });

    // Consola: la línea de reinicio y después las del cargador con el modelo nuevo
    ASSERT_EQ(salida.substr(0, lineaReinicio.size()), lineaReinicio);
    const std::string delCargador = salida.substr(lineaReinicio.size());
    EXPECT_EQ(delCargador.rfind("lectura de nudos OK Num Nudos = 3\n"
                                "lectura de barras OK Num Barras = 2\n",
                                0),
              0u)
        << delCargador;

    // Modelo nuevo
    ASSERT_EQ(noNudos, 3);
    ASSERT_EQ(noBarras, 2);
    ASSERT_EQ(nudo.size(), 3u);
    ASSERT_EQ(barra.size(), 2u);
    EXPECT_EQ(noCombos, 2);
    const double coords[3][3] = {{0, 0, 0}, {3, 0, 0}, {3, 0, 4}};
    for (int k = 0; k < 3; k++) {
        EXPECT_EQ(nudo[k].getX(), coords[k][0]);
        EXPECT_EQ(nudo[k].getY(), coords[k][1]);
        EXPECT_EQ(nudo[k].getZ(), coords[k][2]);
    }
    // Flags de arranque, escalas del archivo nuevo, todo visible
    EXPECT_EQ(flags, flagsDeArranque());
    EXPECT_EQ(escalaN, 0.5);
    EXPECT_EQ(escalaTexto, 0.15);
    EXPECT_EQ(aVector(barrasAisladas), std::vector<int>(2, 1));
    EXPECT_EQ(aVector(nudosAislados), std::vector<int>(3, 1));
    // Cámara de inicio: caja 0..3 x 0..0 x 0..4, diagonal 5
    EXPECT_DOUBLE_EQ(diagonal, 5);
    EXPECT_DOUBLE_EQ(xCentroObj, 1.5);
    EXPECT_DOUBLE_EQ(yCentroObj, 0);
    EXPECT_DOUBLE_EQ(zCentroObj, 2);
    EXPECT_DOUBLE_EQ(xCam, -3.5);
    EXPECT_DOUBLE_EQ(yCam, -5);
    EXPECT_DOUBLE_EQ(zCam, 6.5);
    EXPECT_NEAR(distCamObj, std::sqrt(70.25), 1e-12);
    // Perspectiva aplicada con el tamaño real de la ventana
    EXPECT_EQ(wVentana, 1000);
    EXPECT_EQ(hVentana, 800);
    std::array<double, 16> m = matrizProyeccion();
    EXPECT_EQ(m[11], -1);
    EXPECT_NEAR(m[5], 1 / std::tan(22.5 * M_PI / 180), 1e-6);
    EXPECT_NEAR(m[0], m[5] / 1.25, 1e-6);
    // Lo que la recarga no toca
    EXPECT_EQ(dialogo, "Escriba el nombre del Combo y presione ENTER:");
    EXPECT_EQ(comando, "SE");
    EXPECT_EQ(numeroComboCoincidente, 0);
    // Los resultados del modelo anterior no quedan: el reinicio es el de las
    // pruebas y el fuzzer
    EXPECT_EQ(u.size(), 0);

    // El siguiente Enter responde la pregunta con los combos nuevos
    for (unsigned char c : std::string("RV")) teclado(c, 0, 0);
    teclado(13, 0, 0);
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, 1);
    std::vector<int> esperado = flagsDeArranque();
    esperado[flagCombos + 1] = 1;
    EXPECT_EQ(flags, esperado);

    // Las líneas del cargador son las de una carga aparte del mismo archivo
    reiniciarModelo();
    EXPECT_EQ(delCargador, capturarSalida([] { funcionLeerArchivo(); }));
    std::remove(nombreArchivo.c_str());
}

TEST_F(Recarga, ArchivoQueDesaparece)
{
    cargarModelo(modeloPortico);
    std::remove(nombreArchivo.c_str());
    std::string salida = capturarSalida([] { tecladoEspecial(GLUT_KEY_F5, 0, 0); });
    EXPECT_EQ(salida.substr(0, lineaReinicio.size()), lineaReinicio);
    EXPECT_NE(salida.find("lectura de nudos OK Num Nudos = 0\n"), std::string::npos);
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_EQ(barrasAisladas.size(), 0);
    EXPECT_EQ(nudosAislados.size(), 0);
    EXPECT_DOUBLE_EQ(diagonal, std::sqrt(3.0));

    // Nada del archivo anterior queda: ni sus combos ni sus mapas
    EXPECT_EQ(noCombos, 0);
    EXPECT_EQ(punteroBarras.size(), 0);
    EXPECT_EQ(punteroNudos.size(), 0);
    escribirLinea("aislar");
    escribirLinea("3");
    EXPECT_EQ(dialogo, "No existe la barra 3. Ingrese Comando:");
    escribirLinea("noAislar");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    escribirLinea("combo");
    escribirLinea("ELU");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(flags, flagsDeArranque());
}

}  // namespace

// Con las secciones a la vista, la barra sin sección avisa una vez por carga
// del archivo, no en cada cuadro
TEST_F(Recarga, AvisoDeSeccionUnaVezPorCarga)
{
    const std::string texto = "nudos:\n1 0 0 0\n2 4 0 0\n3 4 0 3\nbarras:\n1 1 2\n2 2 3\n"
                              "seccionRectangular:\nR 0.3 0.3 2.5e7 0.2 24\n1\n";
    cargarModelo(texto);
    escribirLinea("secciones");
    auto cuadros = [] {
        return capturarSalida([] {
            for (int k = 0; k < 10; k++) draw();
        });
    };
    const std::string aviso = "Definir el nombre de sección\n";
    EXPECT_EQ(cuadros(), aviso);
    EXPECT_EQ(cuadros(), "");
    std::string recarga = capturarSalida([] { tecladoEspecial(GLUT_KEY_F5, 0, 0); });
    EXPECT_EQ(recarga.rfind(lineaReinicio, 0), 0u) << recarga;
    escribirLinea("secciones");
    EXPECT_EQ(cuadros(), aviso);
    EXPECT_EQ(cuadros(), "");
}
