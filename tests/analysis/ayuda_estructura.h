// Ayudas de las pruebas del análisis: armado de modelos por los setters, en
// el orden del cargador, con registro propio de las cargas para comprobar el
// equilibrio sin pasar por las fórmulas del modelo.
#pragma once

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <Eigen/Dense>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"

namespace ayuda {

using Eigen::Vector3d;
using Vector6d = Eigen::Matrix<double, 6, 1>;

const std::array<int, 6> libre = {0, 0, 0, 0, 0, 0};
const std::array<int, 6> empotrado = {1, 1, 1, 1, 1, 1};

struct seccion {
    double A, Iy, Iz, J;
};

struct material {
    double E, nu;
    double G() const { return E / (2 * (1 + nu)); }
};

// Acero y un perfil de uso común en las pruebas
const material acero{2e8, 0.3};
const seccion perfil{0.01, 8e-5, 1.2e-4, 2e-6};

// Carga repartida lineal sobre una barra, ya escrita en globales: fuerza por
// unidad de largo a lo largo de d (o momento por unidad de largo si esMomento)
struct cargaLineal {
    std::string caso;
    int barra;
    double qI, qF;
    Vector3d d;
    bool esMomento;
};

struct cargaNudo {
    std::string caso;
    int nudo;
    Vector6d F;
};

struct combo {
    std::string nombre;
    std::vector<std::pair<double, std::string>> partes;  // factor, caso
};

// Modelo global armado paso a paso; guarda sus cargas para el equilibrio
class modelo {
public:
    modelo() { reiniciarModelo(); }

    int nudoEn(int usuario, double x, double y, double z, std::array<int, 6> apoyo = libre)
    {
        int k = static_cast<int>(nudo.size());
        nudo.emplace_back();
        objNudo3d& n = nudo.back();
        n.setNoNudoUsuario(usuario);
        n.setNoNudoInterno(k);
        n.setCoordenadas(x, y, z);
        n.setApoyo(apoyo[0], apoyo[1], apoyo[2], apoyo[3], apoyo[4], apoyo[5]);
        noNudos = static_cast<int>(nudo.size());
        return k;
    }

    void puntual(int k, const std::string& caso, double Fx, double Fy, double Fz, double Mx = 0,
                 double My = 0, double Mz = 0)
    {
        nudo[k].setCargaPuntual(caso, Fx, Fy, Fz, Mx, My, Mz);
        Vector6d F;
        F << Fx, Fy, Fz, Mx, My, Mz;
        puntuales.push_back({caso, k, F});
    }

    // Barra de sección genérica; rodar en grados (el giro del usuario)
    int barraEntre(int usuario, int ni, int nj, seccion s, material m, double rodar = 0,
                   bool conSeccion = true)
    {
        int k = static_cast<int>(barra.size());
        barra.emplace_back();
        objBarra3d& b = barra.back();
        b.resetFlags();
        b.setNoBarraUsuario(usuario);
        b.setNoBarraInterna(k);
        b.setNudoInicio(ni, nudo[ni].getX(), nudo[ni].getY(), nudo[ni].getZ());
        b.setNudoFinal(nj, nudo[nj].getX(), nudo[nj].getY(), nudo[nj].getZ());
        if (conSeccion) {
            b.setNombreDeSeccion("S" + std::to_string(usuario));
            b.setSeccionGenerica(s.A, s.Iy, s.Iz, s.J);
            b.setModuloEyPoisson(m.E, m.nu);
        }
        if (rodar != 0) {
            b.setRotacion(rodar);
        }
        noBarras = static_cast<int>(barra.size());
        return k;
    }

    // Carga repartida según una dirección global
    void repartidaGlobal(int k, const std::string& caso, double qI, double qF, Vector3d d)
    {
        barra[k].setDistribuidaGlobal(caso, qI, qF, d.x(), d.y(), d.z());
        repartidas.push_back({caso, k, qI, qF, d.normalized(), false});
    }

    // Peso propio con el peso específico dado (área de la sección genérica)
    void pesoPropio(int k, const std::string& caso, double gamma, double area)
    {
        barra[k].setPesoEspecifico(gamma);
        barra[k].setPesoPropio(caso);
        repartidas.push_back({caso, k, gamma * area, gamma * area, Vector3d(0, 0, -1), false});
    }

    // Cargas en ejes locales; eje es el eje local escrito en globales, a mano
    void repartidaLocalY(int k, const std::string& caso, double qI, double qF, Vector3d eje)
    {
        barra[k].setDistribuidaLocalY(caso, qI, qF);
        repartidas.push_back({caso, k, qI, qF, eje, false});
    }
    void repartidaLocalZ(int k, const std::string& caso, double qI, double qF, Vector3d eje)
    {
        barra[k].setDistribuidaLocalZ(caso, qI, qF);
        repartidas.push_back({caso, k, qI, qF, eje, false});
    }
    void repartidaLocalX(int k, const std::string& caso, double qI, double qF)
    {
        barra[k].setDistribuidaLocalX(caso, qI, qF);
        repartidas.push_back({caso, k, qI, qF, ejeBarra(k), false});
    }
    void torsorRepartido(int k, const std::string& caso, double mt)
    {
        barra[k].setDistribuidaLocalT(caso, mt);
        repartidas.push_back({caso, k, mt, mt, ejeBarra(k), true});
    }

    // Aplica los combos a todos los nudos y barras, como el cargador
    void combos(const std::vector<combo>& lista)
    {
        definidos = lista;
        for (const combo& c : lista) {
            for (const auto& parte : c.partes) {
                for (objNudo3d& n : nudo) {
                    n.setCombo(c.nombre, parte.first, parte.second);
                }
                for (objBarra3d& b : barra) {
                    b.setCombo(c.nombre, parte.first, parte.second);
                }
            }
        }
        noCombos = static_cast<int>(lista.size());
    }

    // Factor del caso en el combo c
    double factor(int c, const std::string& caso) const
    {
        double f = 0;
        for (const auto& parte : definidos[c].partes) {
            if (parte.second == caso) {
                f += parte.first;
            }
        }
        return f;
    }

    // Resultante (fuerza, momento respecto del origen) de las cargas del combo
    // c más las reacciones de los nudos; 0 en equilibrio. escala: suma de
    // valores absolutos de lo que entra, para la tolerancia relativa.
    Vector6d desequilibrio(int c, double& escala) const
    {
        Vector3d fuerza = Vector3d::Zero(), momento = Vector3d::Zero();
        escala = 0;
        for (const cargaNudo& p : puntuales) {
            double f = factor(c, p.caso);
            Vector3d F = f * p.F.head<3>(), M = f * p.F.tail<3>();
            fuerza += F;
            momento += M + posicion(p.nudo).cross(F);
            escala += F.norm() + M.norm();
        }
        for (const cargaLineal& q : repartidas) {
            double f = factor(c, q.caso);
            Vector3d pi = extremo(q.barra, true);
            Vector3d e = ejeBarra(q.barra);
            double L = largo(q.barra);
            // integrales de q(x) y de x·q(x) a lo largo de la barra
            double I0 = f * L * (q.qI + q.qF) / 2;
            double I1 = f * L * L * (q.qI / 6 + q.qF / 3);
            if (q.esMomento) {
                momento += I0 * q.d;
            } else {
                fuerza += I0 * q.d;
                momento += pi.cross(q.d) * I0 + e.cross(q.d) * I1;
            }
            escala += std::abs(I0);
        }
        for (objNudo3d& n : nudo) {
            Vector3d R(n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c));
            Vector3d M(n.getReaccionMx(c), n.getReaccionMy(c), n.getReaccionMz(c));
            fuerza += R;
            momento += M + Vector3d(n.getX(), n.getY(), n.getZ()).cross(R);
            escala += R.norm() + M.norm();
        }
        Vector6d r;
        r << fuerza, momento;
        return r;
    }

    Vector3d posicion(int k) const
    {
        objNudo3d& n = nudo[k];
        return Vector3d(n.getX(), n.getY(), n.getZ());
    }

    std::vector<combo> definidos;

private:
    std::vector<cargaNudo> puntuales;
    std::vector<cargaLineal> repartidas;

    Vector3d extremo(int k, bool inicio) const
    {
        objBarra3d& b = barra[k];
        return inicio ? Vector3d(b.getXi(), b.getYi(), b.getZi())
                      : Vector3d(b.getXf(), b.getYf(), b.getZf());
    }
    Vector3d ejeBarra(int k) const { return (extremo(k, false) - extremo(k, true)).normalized(); }
    double largo(int k) const { return (extremo(k, false) - extremo(k, true)).norm(); }
};

// Máxima diferencia relativa al mayor valor absoluto de la referencia
inline double difRelativa(const Eigen::MatrixXd& a, const Eigen::MatrixXd& ref)
{
    double escala = ref.cwiseAbs().maxCoeff();
    if (escala == 0) {
        escala = 1;
    }
    return (a - ref).cwiseAbs().maxCoeff() / escala;
}

// Solución de referencia del último análisis por otro camino: el bloque libre
// denso tomado de kEstructura, con las cargas pEstructura + fEstructura,
// resuelto por el Cholesky denso de Eigen en el tipo T. N x nc, 0 en los
// grados que no son libres.
template <typename T>
Eigen::MatrixXd solucionDensa()
{
    using matriz = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;
    std::vector<Eigen::Index> libres;
    for (Eigen::Index d = 0; d < restriccionesEstructura.size(); d++) {
        if (restriccionesEstructura(d) == 0) {
            libres.push_back(d);
        }
    }
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size()), nc = pEstructura.cols();
    matriz K(nf, nf), p(nf, nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        for (Eigen::Index b = 0; b < nf; b++) {
            K(a, b) = kEstructura(libres[a], libres[b]);
        }
        for (Eigen::Index c = 0; c < nc; c++) {
            p(a, c) = T(pEstructura(libres[a], c)) + T(fEstructura(libres[a], c));
        }
    }
    matriz x = K.llt().solve(p);
    Eigen::MatrixXd U = Eigen::MatrixXd::Zero(kEstructura.rows(), nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        for (Eigen::Index c = 0; c < nc; c++) {
            U(libres[a], c) = static_cast<double>(x(a, c));
        }
    }
    return U;
}

// Cifras que dice el aviso de un análisis con pocas (0 si la línea no lo es)
inline int cifrasDelAviso(const std::string& linea)
{
    const std::string comienzo = "Advertencia: resultados con solo unas ";
    return linea.rfind(comienzo, 0) == 0 ? std::atoi(linea.c_str() + comienzo.size()) : 0;
}

// Las seis componentes de desplazamiento o de reacción de un nudo en el combo c
inline Vector6d desplazamientos(int k, int c)
{
    objNudo3d& n = nudo[k];
    Vector6d d;
    d << n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c),
        n.getGiroX(c), n.getGiroY(c), n.getGiroZ(c);
    return d;
}

inline Vector6d reaccion(int k, int c)
{
    objNudo3d& n = nudo[k];
    Vector6d r;
    r << n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c), n.getReaccionMx(c),
        n.getReaccionMy(c), n.getReaccionMz(c);
    return r;
}

}  // namespace ayuda
