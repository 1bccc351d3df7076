#pragma once
#include "db/SourceConnection.h"
#include "db/TargetDatabase.h"
#include "db/TargetTransaction.h"
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

class QCheckBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ListaParametros;
class TBarraProgresso;
class TClassesConversaoController;
class TFigura;
class TRotuloProgresso;

// The program's only window: choose the target file, tick the groups, run the conversion.
class TFPrincipal : public QWidget {
    Q_OBJECT
public:
    explicit TFPrincipal(QWidget* parent = nullptr);
    ~TFPrincipal() override;

    // The connections and the transaction live as long as the window.
    TargetDatabase ibdQuelvar;
    TargetTransaction ibtTransacaoQuelvar{&ibdQuelvar};
    SourceConnection scoBdOrigem;

    QFrame* pnlCabecalho;
    TFigura* imgLogo;
    TFigura* imgComp;
    QLabel* Label2;
    QLineEdit* edtCaminhoBDOrigem;
    QLabel* Label1;
    QLineEdit* edtCaminhoBDDestino;
    QPushButton* btnAbrir;
    QGroupBox* gbxTabelasConverter;
    QCheckBox* chkCLientes;
    QCheckBox* chkFornecedores;
    QCheckBox* chkProdutos;
    QCheckBox* chkGruposProdutos;
    QCheckBox* chkClassificacaoFiscal;
    TRotuloProgresso* lblInfo;
    TBarraProgresso* Barra;
    QPushButton* btnConverter;
    QPushButton* btnSair;

    // Handlers of the three buttons; errors they raise reach the operator as error boxes
    // through the buttons' click connections.
    void btnAbrirClick();
    void btnConverterClick();
    void btnSairClick();

    bool VerificaCaminhoBDVazio();  // true: the path is empty (warning shown)
    bool VerificaConexaoBD();       // true: the target connection is not usable (warning shown)
    void DesabilitaBotoes();
    void HabilitaBotoes();
    void pIniciaListaParametros(ListaParametros& lista);
    void pCarregaParametros(ListaParametros& lista);

    bool emConversao() const { return m_emConversao; }

    // Chooses the target file, starting in the given folder; empty when cancelled. The file
    // dialog unless replaced (tests answer without a modal dialog).
    std::function<QString(QWidget* pai, const QString& pasta)> escolheArquivo;
    // Creates the controller of a run; the real one unless replaced.
    std::function<std::unique_ptr<TClassesConversaoController>()> criaControlador;

    static std::unique_ptr<QFileDialog> criaDialogoAbrir(QWidget* pai, const QString& pasta);
    static QString escolheArquivoPorDialogo(QWidget* pai, const QString& pasta);
    // Where "Abrir" starts, given the path in the field: the program's folder or that path's.
    static QString pastaInicialAbrir(const QString& caminhoEscolhido);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void criaControles();
    void defineOrdemFoco();
    // The program's default error display for what a handler raises.
    void executaProtegido(const std::function<void()>& acao);
    static QString mensagemDe(const std::exception& e);
    void encerraTransacao();
    // A marker beside the chosen file tells that a run of it did not end: asks whether to put
    // the copy back.
    void verificaConversaoInterrompida(const QString& caminho);

    bool m_emConversao = false;
};
