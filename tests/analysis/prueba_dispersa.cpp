// La solución dispersa frente a la densa: los ejemplos y un edificio girado
// dan lo mismo que el Cholesky denso del bloque libre tomado de kEstructura,
// y las reacciones lo mismo que kEstructura·u − P − F. Sin combos, el
// análisis corre y entrega resultados vacíos. La rigidez densa es la suma de
// las barras, escrita por columnas en todos los núcleos, y un segundo
// análisis usa la misma memoria.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "ayuda_estructura.h"
#include "input/funcionLeerArchivo.h"

namespace {

using ayuda::empotrado;
using ayuda::libre;
using ayuda::modelo;
using ayuda::seccion;
using Eigen::Vector3d;
namespace fs = std::filesystem;

// Compara la solución del análisis con la densa y las reacciones con las
// de la rigidez densa, a 1e-12 del mayor valor de cada una
void comprobarContraDensa(const std::string& nombre)
{
    SCOPED_TRACE(nombre);
    ASSERT_EQ(u.rows(), kEstructura.rows());
    ASSERT_GT(u.cols(), 0);
    // Con columnas axialmente rígidas la propia solución densa se aparta de la
    // exacta (la de long double) más que 1e-12: la tolerancia suma ese error
    MatrixXd densa = ayuda::solucionDensa<double>();
    MatrixXd exacta = ayuda::solucionDensa<long double>();
    double tol = 1e-12 + 2 * ayuda::difRelativa(densa, exacta);
    EXPECT_LT(ayuda::difRelativa(u, densa), tol);
    EXPECT_LT(ayuda::difRelativa(u, exacta), tol);
    MatrixXd reaccionesDensas = kEstructura * u - pEstructura - fEstructura;
    EXPECT_LT(ayuda::difRelativa(reacciones, reaccionesDensas), 1e-12);
    // Cada nudo se quedó con sus seis filas de cada combo
    for (objNudo3d& n : nudo) {
        ASSERT_EQ(n.getCantidadDeResultados(), u.cols());
        int f = 6 * n.getNoNudoInterno();
        for (int c = 0; c < u.cols(); c++) {
            EXPECT_EQ(n.getDesplazamientoX(c), u(f, c));
            EXPECT_EQ(n.getGiroZ(c), u(f + 5, c));
            EXPECT_EQ(n.getReaccionRz(c), reacciones(f + 2, c));
        }
    }
}

// Edificio de nx por ny vanos y varios pisos, girado en planta, con vigas
// de fijación parcial, peso propio, carga lateral y dos combos
void edificioGirado(modelo& m, int nx, int ny, int pisos, double giroGrados, bool conCombos = true)
{
    const double g = giroGrados * M_PI / 180, c = std::cos(g), s = std::sin(g);
    const seccion columna{0.16, 2.1e-3, 2.1e-3, 3.6e-3}, viga{0.012, 5e-5, 2.4e-4, 4e-7};
    auto indice = [&](int i, int j, int k) { return (k * (ny + 1) + j) * (nx + 1) + i; };
    for (int k = 0; k <= pisos; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                double x = 5.0 * i, y = 4.0 * j;
                int n = m.nudoEn(indice(i, j, k) + 1, c * x - s * y, s * x + c * y, 3.2 * k,
                                 k == 0 ? empotrado : libre);
                if (k > 0) {
                    m.puntual(n, "S", 1.5 * k, -0.8 * k, 0);
                }
            }
        }
    }
    int usuario = 1;
    for (int k = 1; k <= pisos; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                int b = m.barraEntre(usuario++, indice(i, j, k - 1), indice(i, j, k), columna,
                                     {2.5e7, 0.2}, 15);
                m.pesoPropio(b, "PP", 24, columna.A);
                for (int dir = 0; dir < 2; dir++) {
                    if ((dir == 0 && i == nx) || (dir == 1 && j == ny)) {
                        continue;
                    }
                    int otro = dir == 0 ? indice(i + 1, j, k) : indice(i, j + 1, k);
                    int v = m.barraEntre(usuario++, indice(i, j, k), otro, viga, ayuda::acero);
                    barra[v].setArticulacion(0.7, 0.9, 1, 0.6);
                    m.repartidaGlobal(v, "Q", 9, 11, Vector3d(0, 0, -1));
                }
            }
        }
    }
    if (conCombos) {
        m.combos({{"C1", {{1.2, "PP"}, {1.6, "Q"}}}, {"C2", {{1, "PP"}, {0.5, "Q"}, {1, "S"}}}});
    }
}

// La rigidez de la estructura armada aquí, como la suma de la rigidez
// global de cada barra en sus grados
MatrixXd rigidezSumada()
{
    MatrixXd K = MatrixXd::Zero(6 * noNudos, 6 * noNudos);
    for (objBarra3d& b : barra) {
        Eigen::VectorXi g = b.getGdl();
        MatrixXd Kg = b.getKGlobal();
        for (int i = 0; i < 12; i++) {
            for (int j = 0; j < 12; j++) {
                K(g(i) - 1, g(j) - 1) += Kg(i, j);
            }
        }
    }
    return K;
}

// Los bytes de K, u y las reacciones del último análisis
std::vector<char> bytesDelAnalisis()
{
    std::vector<char> b;
    for (const MatrixXd* m : {&kEstructura, &u, &reacciones}) {
        const char* p = reinterpret_cast<const char*>(m->data());
        b.insert(b.end(), p, p + sizeof(double) * static_cast<size_t>(m->size()));
    }
    return b;
}

// Modelos que se resuelven uno tras otro, del mismo tamaño y de otro, como
// tras un F5 sobre otro archivo
const std::function<void(modelo&)> modelosSeguidos[] = {
    [](modelo& m) { edificioGirado(m, 6, 5, 3, 30); },
    [](modelo& m) { edificioGirado(m, 6, 5, 3, 70); },  // mismo tamaño
    [](modelo& m) { edificioGirado(m, 4, 3, 5, 10); },  // otro tamaño
    [](modelo& m) { edificioGirado(m, 6, 5, 3, 30); },  // el primero otra vez
};

const char* const variableModelo = "TRESNAL_PRUEBA_MODELO";
const char* const variableBytes = "TRESNAL_PRUEBA_BYTES";
const char* const estaPrueba = "--gtest_filter=SolucionDispersa.SegundoCalcularIgualAlDeUnProcesoNuevo";

// Resuelve el modelo k en un proceso nuevo (este mismo ejecutable, solo esta
// prueba, con las variables que le dicen qué modelo y dónde dejar sus
// bytes) y devuelve sus bytes. Un proceso nuevo y no un fork: los hilos de
// OpenMP de este proceso no pasan a un hijo que solo copia la memoria.
std::vector<char> enUnProcesoNuevo(size_t k)
{
    std::string ruta = archivoTemporal("", ".bin");
    std::string orden = std::string(variableModelo) + "=" + std::to_string(k) + " " + variableBytes
                        + "='" + ruta + "' '" + fs::read_symlink("/proc/self/exe").string() + "' "
                        + estaPrueba + " >/dev/null";
    std::fflush(stdout);
    EXPECT_EQ(std::system(orden.c_str()), 0);
    std::string texto = leerArchivo(ruta);
    std::remove(ruta.c_str());
    return std::vector<char>(texto.begin(), texto.end());
}

}  // namespace

TEST(SolucionDispersa, SegundoCalcularIgualAlDeUnProcesoNuevo)
{
    if (const char* k = std::getenv(variableModelo)) {
        // El proceso nuevo: resuelve su modelo y deja sus bytes
        modelo m;
        modelosSeguidos[std::strtoul(k, nullptr, 10)](m);
        ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
        std::vector<char> b = bytesDelAnalisis();
        std::ofstream f(std::getenv(variableBytes), std::ios::binary);
        f.write(b.data(), static_cast<std::streamsize>(b.size()));
        ASSERT_TRUE(f.good());
        return;
    }
    // Cada "Calcular", tras otro modelo o sobre el mismo, da byte por byte
    // lo que da un proceso nuevo
    for (size_t k = 0; k < std::size(modelosSeguidos); k++) {
        SCOPED_TRACE("modelo " + std::to_string(k));
        std::vector<char> nuevo = enUnProcesoNuevo(k);
        modelo m;
        modelosSeguidos[k](m);
        for (int vez = 0; vez < 2; vez++) {
            ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
            std::vector<char> aqui = bytesDelAnalisis();
            ASSERT_EQ(aqui.size(), nuevo.size());
            EXPECT_EQ(std::memcmp(aqui.data(), nuevo.data(), aqui.size()), 0) << "vez " << vez;
        }
    }
}

TEST(SolucionDispersa, EjemplosIgualesALaDensa)
{
    for (const char* archivo : {"ingresoDatos.txt", "porticoCompleto.txt", "voladizo.txt",
                                "porticoSimple.txt", "vigaContinua.txt"}) {
        ASSERT_TRUE(cargarYResolver(archivo)) << archivo << ": " << mensajeAnalisis;
        comprobarContraDensa(archivo);
    }
}

TEST(SolucionDispersa, EdificioGiradoIgualAlDenso)
{
    modelo m;
    edificioGirado(m, 4, 3, 3, 30);
    bool bien = false;
    std::string salida = capturarSalida([&] { bien = funcionSolve(); });
    ASSERT_TRUE(bien) << mensajeAnalisis;
    EXPECT_EQ(salida, "");
    comprobarContraDensa("edificio 4 x 3 x 3 girado 30 grados");
    // En los grados libres la "reacción" es el residuo de la solución
    double mayor = reacciones.cwiseAbs().maxCoeff();
    for (Eigen::Index d = 0; d < u.rows(); d++) {
        if (restriccionesEstructura(d) == 0) {
            EXPECT_LT(reacciones.row(d).cwiseAbs().maxCoeff(), 1e-10 * mayor) << "fila " << d;
        }
    }
}

TEST(SolucionDispersa, SinCombosCorreYEntregaResultadosVacios)
{
    // Edificio con cargas pero sin combos: todo con cero columnas, sin mensajes
    modelo m;
    edificioGirado(m, 2, 2, 2, 20, false);
    ASSERT_EQ(noCombos, 0);
    bool bien = false;
    std::string salida = capturarSalida([&] { bien = funcionSolve(); });
    EXPECT_TRUE(bien) << mensajeAnalisis;
    EXPECT_EQ(salida, "");
    EXPECT_EQ(mensajeAnalisis, "");
    const Eigen::Index N = 6 * noNudos;
    EXPECT_EQ(kEstructura.rows(), N);
    EXPECT_EQ(pEstructura.rows(), N);
    EXPECT_EQ(pEstructura.cols(), 0);
    EXPECT_EQ(fEstructura.cols(), 0);
    EXPECT_EQ(u.rows(), N);
    EXPECT_EQ(u.cols(), 0);
    EXPECT_EQ(reacciones.rows(), N);
    EXPECT_EQ(reacciones.cols(), 0);
    for (objNudo3d& n : nudo) {
        EXPECT_EQ(n.getCantidadDeResultados(), 0);
        EXPECT_EQ(n.getDesplazamientoX(0), 0);
        EXPECT_EQ(n.getReaccionRz(0), 0);
    }
    for (objBarra3d& b : barra) {
        EXPECT_FALSE(b.getBoolResultados(0));
    }

    // Sin combos la estabilidad se revisa igual: un mecanismo se nombra
    modelo suelto;
    int a = suelto.nudoEn(1, 0, 0, 0, empotrado);
    int b = suelto.nudoEn(2, 3, 0, 0);
    int c = suelto.nudoEn(3, 6, 0, 0);
    suelto.barraEntre(1, a, b, ayuda::perfil, ayuda::acero);
    int bc = suelto.barraEntre(2, b, c, ayuda::perfil, ayuda::acero);
    barra[bc].setArticulacion(0, 1, 0, 1);
    salida = capturarSalida([&] { bien = funcionSolve(); });
    EXPECT_FALSE(bien);
    EXPECT_EQ(salida, "Estructura inestable: mecanismo en el nudo 3, dirección ry\n");
}

TEST(SolucionDispersa, RigidezDensaEscritaPorColumnasYMismaMemoriaAlRecalcular)
{
    // K escrita por columnas en todos los núcleos: igual, entrada por
    // entrada, a la suma de las barras. Con 210 nudos (K de 12.7 MB) de una
    // vez; con 847 (K de 207 MB) en cuatro muestras de unos 16 MB, alternadas
    // en páginas grandes y normales, y el resto
    struct tamano {
        int nx, ny, pisos;
    };
    for (tamano t : {tamano{6, 5, 4}, tamano{10, 10, 6}}) {
        SCOPED_TRACE(std::to_string(t.nx) + " x " + std::to_string(t.ny) + " x "
                     + std::to_string(t.pisos));
        modelo m;
        edificioGirado(m, t.nx, t.ny, t.pisos, 30);
        ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
        const MatrixXd K = rigidezSumada();
        EXPECT_TRUE(kEstructura == K);
        const MatrixXd u1 = u, r1 = reacciones;

        // Otra vez "Calcular" sobre el mismo modelo: las mismas matrices,
        // cada entrada escrita de nuevo aunque tengan basura
        const double* antes[5] = {kEstructura.data(), pEstructura.data(), fEstructura.data(),
                                  u.data(), reacciones.data()};
        for (MatrixXd* matriz : {&kEstructura, &pEstructura, &fEstructura, &u, &reacciones}) {
            matriz->setConstant(7);
        }
        ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
        EXPECT_FALSE(tiemposUltimoAnalisis.paginasGrandes);  // memoria ya escrita
        const double* despues[5] = {kEstructura.data(), pEstructura.data(), fEstructura.data(),
                                    u.data(), reacciones.data()};
        for (int k = 0; k < 5; k++) {
            EXPECT_EQ(antes[k], despues[k]) << "matriz " << k;
        }
        EXPECT_TRUE(kEstructura == K);
        EXPECT_EQ(u, u1);
        EXPECT_EQ(reacciones, r1);
    }
}
